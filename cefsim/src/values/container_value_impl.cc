#include "cefsim/src/values/container_value_impl.h"

#include <utility>

#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/values/binary_value_impl.h"
#include "cefsim/src/values/dictionary_value_impl.h"
#include "cefsim/src/values/list_value_impl.h"
#include "cefsim/src/values/value_impl.h"

namespace cefsim {
namespace {

size_t NodeKey(size_t index) {
  return index;
}

std::u16string NodeKey(const CefString& key) {
  return cefsim::ToU16String(key);
}

}  // namespace

template <class Interface, class Key>
ContainerValueImpl<Interface, Key>::ContainerValueImpl(NodeHandle handle)
    : NodeBackedValue<Interface>(std::move(handle)) {}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::IsReadOnly() {
  return this->handle().read_only();
}

template <class Interface, class Key>
size_t ContainerValueImpl<Interface, Key>::GetSize() {
  const ValueNode* node = this->handle().Peek();
  return node ? node->Size() : 0;
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::Clear() {
  ValueNode::Ptr node = this->handle().LockForWriting();
  return node && node->Clear();
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::Remove(Key key) {
  ValueNode::Ptr node = this->handle().LockForWriting();
  return node && node->RemoveChild(NodeKey(key));
}

template <class Interface, class Key>
CefValueType ContainerValueImpl<Interface, Key>::GetType(Key key) {
  const ValueNode* entry = PeekEntry(key);
  return entry ? entry->type() : VTYPE_INVALID;
}

template <class Interface, class Key>
CefRefPtr<CefValue> ContainerValueImpl<Interface, Key>::GetValue(Key key) {
  ValueNode::Ptr entry = Entry(key);
  if (!entry)
    return nullptr;
  CefRefPtr<ValueImpl> value = new ValueImpl();
  value->Represent(NodeHandle::Referring(entry, IsReadOnly()));
  return value.get();
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::GetBool(Key key) {
  const ValueNode* entry = PeekEntry(key);
  return entry && entry->GetBool();
}

template <class Interface, class Key>
int ContainerValueImpl<Interface, Key>::GetInt(Key key) {
  const ValueNode* entry = PeekEntry(key);
  return entry ? entry->GetInt() : 0;
}

template <class Interface, class Key>
double ContainerValueImpl<Interface, Key>::GetDouble(Key key) {
  const ValueNode* entry = PeekEntry(key);
  return entry ? entry->GetDouble() : 0.0;
}

template <class Interface, class Key>
CefString ContainerValueImpl<Interface, Key>::GetString(Key key) {
  const ValueNode* entry = PeekEntry(key);
  return entry ? cefsim::FromU16String(entry->GetString()) : CefString();
}

template <class Interface, class Key>
CefRefPtr<CefBinaryValue> ContainerValueImpl<Interface, Key>::GetBinary(
    Key key) {
  return EntryObject<BinaryValueImpl>(key, VTYPE_BINARY).get();
}

template <class Interface, class Key>
CefRefPtr<CefDictionaryValue>
ContainerValueImpl<Interface, Key>::GetDictionary(Key key) {
  return EntryObject<DictionaryValueImpl>(key, VTYPE_DICTIONARY).get();
}

template <class Interface, class Key>
CefRefPtr<CefListValue> ContainerValueImpl<Interface, Key>::GetList(Key key) {
  return EntryObject<ListValueImpl>(key, VTYPE_LIST).get();
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetValue(Key key,
                                                  CefRefPtr<CefValue> value) {
  ValueNode::Ptr node = this->handle().LockForWriting();
  if (!node || !value)
    return false;
  ValueImpl* impl = static_cast<ValueImpl*>(value.get());
  ValueNode::Ptr entry = impl->EntryFor(*node);
  if (!node->SetChild(NodeKey(key), entry))
    return false;
  impl->StoredAs(entry);
  return true;
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetNull(Key key) {
  return Store(key, ValueNode::NewNull());
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetBool(Key key, bool value) {
  return Store(key, ValueNode::NewBool(value));
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetInt(Key key, int value) {
  return Store(key, ValueNode::NewInt(value));
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetDouble(Key key, double value) {
  return Store(key, ValueNode::NewDouble(value));
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetString(Key key,
                                                   const CefString& value) {
  return Store(key, ValueNode::NewString(cefsim::ToU16String(value)));
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetBinary(
    Key key,
    CefRefPtr<CefBinaryValue> value) {
  return StoreTaken(key, value);
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetDictionary(
    Key key,
    CefRefPtr<CefDictionaryValue> value) {
  return StoreTaken(key, value);
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::SetList(Key key,
                                                 CefRefPtr<CefListValue> value) {
  return StoreTaken(key, value);
}

template <class Interface, class Key>
ValueNode::Ptr ContainerValueImpl<Interface, Key>::Entry(Key key) {
  ValueNode::Ptr node = this->handle().Lock();
  return node ? node->Child(NodeKey(key)) : nullptr;
}

template <class Interface, class Key>
const ValueNode* ContainerValueImpl<Interface, Key>::PeekEntry(Key key) {
  const ValueNode* node = this->handle().Peek();
  return node ? node->ChildNode(NodeKey(key)) : nullptr;
}

template <class Interface, class Key>
template <class Impl>
CefRefPtr<Impl> ContainerValueImpl<Interface, Key>::EntryObject(
    Key key,
    CefValueType type) {
  ValueNode::Ptr entry = Entry(key);
  if (!entry || entry->type() != type)
    return nullptr;
  return new Impl(NodeHandle::Referring(entry, IsReadOnly()));
}

template <class Interface, class Key>
bool ContainerValueImpl<Interface, Key>::Store(Key key, ValueNode::Ptr entry) {
  ValueNode::Ptr node = this->handle().LockForWriting();
  return node && node->SetChild(NodeKey(key), std::move(entry));
}

template <class Interface, class Key>
template <class Value>
bool ContainerValueImpl<Interface, Key>::StoreTaken(Key key,
                                                    CefRefPtr<Value> value) {
  ValueNode::Ptr node = this->handle().LockForWriting();
  if (!node || !value)
    return false;
  NodeHandle& source = NodeBackedValue<Value>::HandleOf(value);
  ValueNode::Ptr entry = source.EntryFor(*node);
  if (!node->SetChild(NodeKey(key), entry))
    return false;
  source.Stored(entry);
  return true;
}

template class ContainerValueImpl<CefListValue, size_t>;
template class ContainerValueImpl<CefDictionaryValue, const CefString&>;

}  // namespace cefsim
