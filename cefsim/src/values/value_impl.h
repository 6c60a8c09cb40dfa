// CefValue: holds simple data itself and refers to a binary, list or
// dictionary object, whose ownership it leaves alone.
#ifndef CEFSIM_SRC_VALUES_VALUE_IMPL_H_
#define CEFSIM_SRC_VALUES_VALUE_IMPL_H_

#include "include/cef_values.h"
#include "cefsim/src/values/binary_value_impl.h"
#include "cefsim/src/values/dictionary_value_impl.h"
#include "cefsim/src/values/list_value_impl.h"

namespace cefsim {

class ValueImpl : public CefValue {
 public:
  ValueImpl();  // null

  // Takes on the data behind |handle|: a binary, list or dictionary through
  // an object of that type, anything else as a copy of its own.
  void Represent(NodeHandle handle);
  // The entry to store inside the container |target| (see
  // NodeHandle::EntryFor); StoredAs then makes this value stand for it, so
  // that changing its binary, list or dictionary changes the container.
  ValueNode::Ptr EntryFor(const ValueNode& target) const;
  void StoredAs(const ValueNode::Ptr& entry);

  bool IsValid() override;
  bool IsOwned() override;
  bool IsReadOnly() override;
  bool IsSame(CefRefPtr<CefValue> that) override;
  bool IsEqual(CefRefPtr<CefValue> that) override;
  CefRefPtr<CefValue> Copy() override;
  CefValueType GetType() override;
  bool GetBool() override;
  int GetInt() override;
  double GetDouble() override;
  CefString GetString() override;
  CefRefPtr<CefBinaryValue> GetBinary() override;
  CefRefPtr<CefDictionaryValue> GetDictionary() override;
  CefRefPtr<CefListValue> GetList() override;
  bool SetNull() override;
  bool SetBool(bool value) override;
  bool SetInt(int value) override;
  bool SetDouble(double value) override;
  bool SetString(const CefString& value) override;
  bool SetBinary(CefRefPtr<CefBinaryValue> value) override;
  bool SetDictionary(CefRefPtr<CefDictionaryValue> value) override;
  bool SetList(CefRefPtr<CefListValue> value) override;

 private:
  // The handle of the object referred to; null while holding simple data.
  NodeHandle* ComplexHandle() const;
  // The data this value shows; null when the object referred to is invalid.
  ValueNode::Ptr Node() const;
  void Hold(ValueNode::Ptr simple);

  ValueNode::Ptr simple_;  // never shared with anything else
  CefRefPtr<BinaryValueImpl> binary_;
  CefRefPtr<DictionaryValueImpl> dictionary_;
  CefRefPtr<ListValueImpl> list_;

  IMPLEMENT_REFCOUNTING(ValueImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_VALUE_IMPL_H_
