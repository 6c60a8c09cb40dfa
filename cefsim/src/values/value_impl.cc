#include "cefsim/src/values/value_impl.h"
#include "cefsim/src/strings/u16_text.h"

#include <utility>

namespace cefsim {

ValueImpl::ValueImpl() : simple_(ValueNode::NewNull()) {}

void ValueImpl::Represent(NodeHandle handle) {
  ValueNode::Ptr node = handle.Lock();
  Hold(nullptr);
  switch (node ? node->type() : VTYPE_INVALID) {
    case VTYPE_BINARY:
      binary_ = new BinaryValueImpl(std::move(handle));
      break;
    case VTYPE_DICTIONARY:
      dictionary_ = new DictionaryValueImpl(std::move(handle));
      break;
    case VTYPE_LIST:
      list_ = new ListValueImpl(std::move(handle));
      break;
    default:
      Hold(node ? node->DeepCopy() : ValueNode::NewNull());
  }
}

ValueNode::Ptr ValueImpl::EntryFor(const ValueNode& target) const {
  NodeHandle* handle = ComplexHandle();
  return handle ? handle->EntryFor(target) : simple_->DeepCopy();
}

void ValueImpl::StoredAs(const ValueNode::Ptr& entry) {
  if (NodeHandle* handle = ComplexHandle())
    handle->Stored(entry);
  Represent(NodeHandle::Referring(entry, false));
}

bool ValueImpl::IsValid() {
  return Node() != nullptr;
}

bool ValueImpl::IsOwned() {
  NodeHandle* handle = ComplexHandle();
  return handle && handle->IsOwned();
}

bool ValueImpl::IsReadOnly() {
  // A binary cannot be changed through any object, so neither through this.
  if (binary_)
    return true;
  NodeHandle* handle = ComplexHandle();
  return handle && handle->read_only();
}

bool ValueImpl::IsSame(CefRefPtr<CefValue> that) {
  if (!that)
    return false;
  // Simple data is never shared, so only this object shows the same node.
  ValueNode::Ptr node = Node();
  return node && node == static_cast<ValueImpl*>(that.get())->Node();
}

bool ValueImpl::IsEqual(CefRefPtr<CefValue> that) {
  if (!that)
    return false;
  ValueNode::Ptr node = Node();
  ValueNode::Ptr other = static_cast<ValueImpl*>(that.get())->Node();
  return node && other && node->Equals(*other);
}

CefRefPtr<CefValue> ValueImpl::Copy() {
  ValueNode::Ptr node = Node();
  if (!node)
    return nullptr;
  CefRefPtr<ValueImpl> copy = new ValueImpl();
  copy->Represent(NodeHandle::Owning(node->DeepCopy()));
  return copy.get();
}

CefValueType ValueImpl::GetType() {
  ValueNode::Ptr node = Node();
  return node ? node->type() : VTYPE_INVALID;
}

bool ValueImpl::GetBool() {
  ValueNode::Ptr node = Node();
  return node && node->GetBool();
}

int ValueImpl::GetInt() {
  ValueNode::Ptr node = Node();
  return node ? node->GetInt() : 0;
}

double ValueImpl::GetDouble() {
  ValueNode::Ptr node = Node();
  return node ? node->GetDouble() : 0.0;
}

CefString ValueImpl::GetString() {
  ValueNode::Ptr node = Node();
  return node ? cefsim::FromU16String(node->GetString()) : CefString();
}

CefRefPtr<CefBinaryValue> ValueImpl::GetBinary() {
  return binary_.get();
}

CefRefPtr<CefDictionaryValue> ValueImpl::GetDictionary() {
  return dictionary_.get();
}

CefRefPtr<CefListValue> ValueImpl::GetList() {
  return list_.get();
}

bool ValueImpl::SetNull() {
  Hold(ValueNode::NewNull());
  return true;
}

bool ValueImpl::SetBool(bool value) {
  Hold(ValueNode::NewBool(value));
  return true;
}

bool ValueImpl::SetInt(int value) {
  Hold(ValueNode::NewInt(value));
  return true;
}

bool ValueImpl::SetDouble(double value) {
  Hold(ValueNode::NewDouble(value));
  return true;
}

bool ValueImpl::SetString(const CefString& value) {
  Hold(ValueNode::NewString(cefsim::ToU16String(value)));
  return true;
}

bool ValueImpl::SetBinary(CefRefPtr<CefBinaryValue> value) {
  if (!value)
    return false;
  Hold(nullptr);
  binary_ = static_cast<BinaryValueImpl*>(value.get());
  return true;
}

bool ValueImpl::SetDictionary(CefRefPtr<CefDictionaryValue> value) {
  if (!value)
    return false;
  Hold(nullptr);
  dictionary_ = static_cast<DictionaryValueImpl*>(value.get());
  return true;
}

bool ValueImpl::SetList(CefRefPtr<CefListValue> value) {
  if (!value)
    return false;
  Hold(nullptr);
  list_ = static_cast<ListValueImpl*>(value.get());
  return true;
}

NodeHandle* ValueImpl::ComplexHandle() const {
  if (binary_)
    return &binary_->handle();
  if (dictionary_)
    return &dictionary_->handle();
  if (list_)
    return &list_->handle();
  return nullptr;
}

ValueNode::Ptr ValueImpl::Node() const {
  NodeHandle* handle = ComplexHandle();
  return handle ? handle->Lock() : simple_;
}

void ValueImpl::Hold(ValueNode::Ptr simple) {
  binary_ = nullptr;
  dictionary_ = nullptr;
  list_ = nullptr;
  simple_ = std::move(simple);
}

}  // namespace cefsim

CefRefPtr<CefValue> CefValue::Create() {
  return new cefsim::ValueImpl();
}
