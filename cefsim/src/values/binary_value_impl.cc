#include "cefsim/src/values/binary_value_impl.h"

#include <algorithm>
#include <cstring>

namespace cefsim {

BinaryValueImpl::BinaryValueImpl(NodeHandle handle)
    : NodeBackedValue(std::move(handle)) {}

CefRefPtr<CefBinaryValue> BinaryValueImpl::Copy() {
  ValueNode::Ptr node = handle().Lock();
  if (!node)
    return nullptr;
  return new BinaryValueImpl(NodeHandle::Owning(node->DeepCopy()));
}

size_t BinaryValueImpl::GetSize() {
  ValueNode::Ptr node = handle().Lock();
  return node ? node->GetBinary()->size() : 0;
}

size_t BinaryValueImpl::GetData(void* buffer,
                                size_t buffer_size,
                                size_t data_offset) {
  ValueNode::Ptr node = handle().Lock();
  if (!node || !buffer)
    return 0;
  const ValueNode::Bytes& bytes = *node->GetBinary();
  if (data_offset >= bytes.size())
    return 0;
  size_t count = std::min(buffer_size, bytes.size() - data_offset);
  memcpy(buffer, bytes.data() + data_offset, count);
  return count;
}

}  // namespace cefsim

// As CEF's own: no object for missing or empty data.
CefRefPtr<CefBinaryValue> CefBinaryValue::Create(const void* data,
                                                 size_t data_size) {
  if (!data || data_size == 0)
    return nullptr;
  return new cefsim::BinaryValueImpl(
      cefsim::NodeHandle::Owning(cefsim::ValueNode::NewBinary(data, data_size)));
}
