// CefDictionaryValue: entries by key, kept in key order.
#ifndef CEFSIM_SRC_VALUES_DICTIONARY_VALUE_IMPL_H_
#define CEFSIM_SRC_VALUES_DICTIONARY_VALUE_IMPL_H_

#include "cefsim/src/values/container_value_impl.h"

namespace cefsim {

class DictionaryValueImpl
    : public ContainerValueImpl<CefDictionaryValue, const CefString&> {
 public:
  // |handle| must reach a dictionary.
  explicit DictionaryValueImpl(NodeHandle handle);

  CefRefPtr<CefDictionaryValue> Copy(bool exclude_empty_children) override;
  bool HasKey(const CefString& key) override;
  bool GetKeys(KeyList& keys) override;

 private:
  IMPLEMENT_REFCOUNTING(DictionaryValueImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_DICTIONARY_VALUE_IMPL_H_
