// CefListValue: entries by index, gaps filled with nulls.
#ifndef CEFSIM_SRC_VALUES_LIST_VALUE_IMPL_H_
#define CEFSIM_SRC_VALUES_LIST_VALUE_IMPL_H_

#include "cefsim/src/values/container_value_impl.h"

namespace cefsim {

class ListValueImpl : public ContainerValueImpl<CefListValue, size_t> {
 public:
  // |handle| must reach a list.
  explicit ListValueImpl(NodeHandle handle);

  CefRefPtr<CefListValue> Copy() override;
  bool SetSize(size_t size) override;

 private:
  IMPLEMENT_REFCOUNTING(ListValueImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_LIST_VALUE_IMPL_H_
