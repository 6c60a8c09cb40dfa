// What CefListValue and CefDictionaryValue share: typed access to entries by
// index or by key. Entries of the wrong type, and entries that do not exist,
// read as the neutral value; binaries, lists and dictionaries come back as
// objects that refer into this container.
#ifndef CEFSIM_SRC_VALUES_CONTAINER_VALUE_IMPL_H_
#define CEFSIM_SRC_VALUES_CONTAINER_VALUE_IMPL_H_

#include "cefsim/src/values/node_backed_value.h"

namespace cefsim {

// |Key| is size_t for lists and const CefString& for dictionaries.
template <class Interface, class Key>
class ContainerValueImpl : public NodeBackedValue<Interface> {
 public:
  bool IsReadOnly() override;
  size_t GetSize() override;
  bool Clear() override;
  bool Remove(Key key) override;
  CefValueType GetType(Key key) override;
  CefRefPtr<CefValue> GetValue(Key key) override;
  bool GetBool(Key key) override;
  int GetInt(Key key) override;
  double GetDouble(Key key) override;
  CefString GetString(Key key) override;
  CefRefPtr<CefBinaryValue> GetBinary(Key key) override;
  CefRefPtr<CefDictionaryValue> GetDictionary(Key key) override;
  CefRefPtr<CefListValue> GetList(Key key) override;
  bool SetValue(Key key, CefRefPtr<CefValue> value) override;
  bool SetNull(Key key) override;
  bool SetBool(Key key, bool value) override;
  bool SetInt(Key key, int value) override;
  bool SetDouble(Key key, double value) override;
  bool SetString(Key key, const CefString& value) override;
  bool SetBinary(Key key, CefRefPtr<CefBinaryValue> value) override;
  bool SetDictionary(Key key, CefRefPtr<CefDictionaryValue> value) override;
  bool SetList(Key key, CefRefPtr<CefListValue> value) override;

 protected:
  explicit ContainerValueImpl(NodeHandle handle);

  ValueNode::Ptr Entry(Key key);
  // The entry for a read that takes no reference; null when there is none.
  const ValueNode* PeekEntry(Key key);

 private:
  template <class Impl>
  CefRefPtr<Impl> EntryObject(Key key, CefValueType type);
  bool Store(Key key, ValueNode::Ptr entry);
  // Stores what |value| holds, moved or copied as NodeHandle::EntryFor says.
  template <class Value>
  bool StoreTaken(Key key, CefRefPtr<Value> value);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_CONTAINER_VALUE_IMPL_H_
