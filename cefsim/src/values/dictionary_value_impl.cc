#include "cefsim/src/values/dictionary_value_impl.h"
#include "cefsim/src/strings/u16_text.h"

#include <utility>

namespace cefsim {

DictionaryValueImpl::DictionaryValueImpl(NodeHandle handle)
    : ContainerValueImpl(std::move(handle)) {}

CefRefPtr<CefDictionaryValue> DictionaryValueImpl::Copy(
    bool exclude_empty_children) {
  ValueNode::Ptr node = handle().Lock();
  if (!node)
    return nullptr;
  ValueNode::Ptr copy = exclude_empty_children
                            ? node->CopyWithoutEmptyChildren()
                            : node->DeepCopy();
  // With every child left out there is still a dictionary, an empty one.
  return new DictionaryValueImpl(
      NodeHandle::Owning(copy ? copy : ValueNode::NewDictionary()));
}

bool DictionaryValueImpl::HasKey(const CefString& key) {
  return Entry(key) != nullptr;
}

bool DictionaryValueImpl::GetKeys(KeyList& keys) {
  ValueNode::Ptr node = handle().Lock();
  if (!node)
    return false;
  for (const std::u16string& key : node->Keys())
    keys.push_back(cefsim::FromU16String(key));
  return true;
}

}  // namespace cefsim

CefRefPtr<CefDictionaryValue> CefDictionaryValue::Create() {
  return new cefsim::DictionaryValueImpl(
      cefsim::NodeHandle::Owning(cefsim::ValueNode::NewDictionary()));
}
