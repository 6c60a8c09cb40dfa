// CefBinaryValue: a block of bytes, on its own or as an entry of a container.
#ifndef CEFSIM_SRC_VALUES_BINARY_VALUE_IMPL_H_
#define CEFSIM_SRC_VALUES_BINARY_VALUE_IMPL_H_

#include "cefsim/src/values/node_backed_value.h"

namespace cefsim {

class BinaryValueImpl : public NodeBackedValue<CefBinaryValue> {
 public:
  explicit BinaryValueImpl(NodeHandle handle);

  CefRefPtr<CefBinaryValue> Copy() override;
  size_t GetSize() override;
  size_t GetData(void* buffer, size_t buffer_size, size_t data_offset) override;

 private:
  IMPLEMENT_REFCOUNTING(BinaryValueImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_BINARY_VALUE_IMPL_H_
