// The data behind CEF's value objects: a tree in which lists and dictionaries
// own their entries. Each node knows the container that holds it, so that a
// tree is never placed inside itself.
#ifndef CEFSIM_SRC_VALUES_VALUE_NODE_H_
#define CEFSIM_SRC_VALUES_VALUE_NODE_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "include/internal/cef_types.h"

namespace cefsim {

class ValueNode {
 public:
  using Ptr = std::shared_ptr<ValueNode>;
  using Bytes = std::vector<uint8_t>;

  static Ptr NewNull();
  static Ptr NewBool(bool value);
  static Ptr NewInt(int value);
  static Ptr NewDouble(double value);
  static Ptr NewString(std::u16string value);
  static Ptr NewBinary(const void* data, size_t size);
  static Ptr NewList();
  static Ptr NewDictionary();

  // Only ValueNode makes nodes; the key lets std::make_shared call the
  // constructor, so that a node and its count share one allocation.
  class ConstructionKey {
    friend class ValueNode;
    ConstructionKey() = default;
  };

 private:
  using ListEntries = std::vector<Ptr>;
  using DictionaryEntries = std::map<std::u16string, Ptr>;
  // Alternative i holds the type cef_value_type_t numbers i + 1.
  using Data = std::variant<std::monostate, bool, int, double, std::u16string,
                            Bytes, DictionaryEntries, ListEntries>;

 public:
  ValueNode(ConstructionKey, Data data);
  ~ValueNode();
  ValueNode(const ValueNode&) = delete;
  ValueNode& operator=(const ValueNode&) = delete;

  cef_value_type_t type() const;

  // Each gives the neutral value when the node holds another type.
  bool GetBool() const;
  int GetInt() const;
  double GetDouble() const;
  // Empty when the node holds another type.
  const std::u16string& GetString() const;
  const Bytes* GetBinary() const;

  // Entries of a list (by index) or a dictionary (by key). On a node of the
  // other kind, or of a simple type, they find nothing and change nothing.
  size_t Size() const;
  Ptr Child(size_t index) const;
  Ptr Child(const std::u16string& key) const;
  // The same without taking a reference, for reads.
  const ValueNode* ChildNode(size_t index) const;
  const ValueNode* ChildNode(const std::u16string& key) const;
  std::vector<std::u16string> Keys() const;  // in key order
  // |child| must not be held by a container. Setting past the end of a list
  // fills the gap with nulls.
  bool SetChild(size_t index, Ptr child);
  bool SetChild(const std::u16string& key, Ptr child);
  bool RemoveChild(size_t index);
  bool RemoveChild(const std::u16string& key);
  bool Resize(size_t size);  // lists only; grows with nulls
  bool Clear();

  // True when |node| is this node or lies somewhere inside it.
  bool Contains(const ValueNode* node) const;

  Ptr DeepCopy() const;
  // Leaves out lists and dictionaries that are empty, or become empty once
  // their own empty children are left out; null when this node is one.
  Ptr CopyWithoutEmptyChildren() const;
  bool Equals(const ValueNode& other) const;

 private:
  static Ptr Make(Data data);

  Ptr CopyTree(bool drop_empty_containers) const;
  const Ptr& Adopt(const Ptr& child);
  static void Release(const Ptr& child);

  Data data_;
  ValueNode* container_ = nullptr;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_VALUE_NODE_H_
