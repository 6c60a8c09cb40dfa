#include "cefsim/src/values/list_value_impl.h"

#include <utility>

namespace cefsim {

ListValueImpl::ListValueImpl(NodeHandle handle)
    : ContainerValueImpl(std::move(handle)) {}

CefRefPtr<CefListValue> ListValueImpl::Copy() {
  ValueNode::Ptr node = handle().Lock();
  if (!node)
    return nullptr;
  return new ListValueImpl(NodeHandle::Owning(node->DeepCopy()));
}

bool ListValueImpl::SetSize(size_t size) {
  ValueNode::Ptr node = handle().LockForWriting();
  return node && node->Resize(size);
}

}  // namespace cefsim

CefRefPtr<CefListValue> CefListValue::Create() {
  return new cefsim::ListValueImpl(
      cefsim::NodeHandle::Owning(cefsim::ValueNode::NewList()));
}
