#include "cefsim/src/values/value_node.h"

#include <algorithm>
#include <cassert>
#include <type_traits>

namespace cefsim {
namespace {

constexpr size_t kFirstListCapacity = 4;

template <cef_value_type_t type, class Data>
using AlternativeOf = std::variant_alternative_t<type - 1, Data>;

}  // namespace

ValueNode::ValueNode(ConstructionKey, Data data) : data_(std::move(data)) {
  static_assert(std::is_same_v<AlternativeOf<VTYPE_NULL, Data>,
                               std::monostate> &&
                    std::is_same_v<AlternativeOf<VTYPE_LIST, Data>,
                                   ListEntries>,
                "the alternatives follow cef_value_type_t");
}

ValueNode::~ValueNode() {
  // An entry may outlive its container for the rest of a call that holds it.
  if (auto* list = std::get_if<ListEntries>(&data_))
    std::for_each(list->begin(), list->end(), Release);
  if (auto* dictionary = std::get_if<DictionaryEntries>(&data_)) {
    for (const auto& entry : *dictionary)
      Release(entry.second);
  }
}

ValueNode::Ptr ValueNode::Make(Data data) {
  return std::make_shared<ValueNode>(ConstructionKey(), std::move(data));
}

ValueNode::Ptr ValueNode::NewNull() {
  return Make(Data());
}

ValueNode::Ptr ValueNode::NewBool(bool value) {
  return Make(Data(std::in_place_type<bool>, value));
}

ValueNode::Ptr ValueNode::NewInt(int value) {
  return Make(Data(std::in_place_type<int>, value));
}

ValueNode::Ptr ValueNode::NewDouble(double value) {
  return Make(Data(std::in_place_type<double>, value));
}

ValueNode::Ptr ValueNode::NewString(std::u16string value) {
  return Make(Data(std::in_place_type<std::u16string>, std::move(value)));
}

ValueNode::Ptr ValueNode::NewBinary(const void* data, size_t size) {
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  return Make(Data(std::in_place_type<Bytes>, bytes, bytes + size));
}

ValueNode::Ptr ValueNode::NewList() {
  return Make(Data(std::in_place_type<ListEntries>));
}

ValueNode::Ptr ValueNode::NewDictionary() {
  return Make(Data(std::in_place_type<DictionaryEntries>));
}

cef_value_type_t ValueNode::type() const {
  return static_cast<cef_value_type_t>(data_.index() + 1);
}

bool ValueNode::GetBool() const {
  const bool* value = std::get_if<bool>(&data_);
  return value && *value;
}

int ValueNode::GetInt() const {
  const int* value = std::get_if<int>(&data_);
  return value ? *value : 0;
}

double ValueNode::GetDouble() const {
  const double* value = std::get_if<double>(&data_);
  return value ? *value : 0.0;
}

const std::u16string& ValueNode::GetString() const {
  static const std::u16string* const empty = new std::u16string();
  const std::u16string* value = std::get_if<std::u16string>(&data_);
  return value ? *value : *empty;
}

const ValueNode::Bytes* ValueNode::GetBinary() const {
  return std::get_if<Bytes>(&data_);
}

size_t ValueNode::Size() const {
  if (const auto* list = std::get_if<ListEntries>(&data_))
    return list->size();
  if (const auto* dictionary = std::get_if<DictionaryEntries>(&data_))
    return dictionary->size();
  return 0;
}

ValueNode::Ptr ValueNode::Child(size_t index) const {
  const auto* list = std::get_if<ListEntries>(&data_);
  return list && index < list->size() ? (*list)[index] : nullptr;
}

ValueNode::Ptr ValueNode::Child(const std::u16string& key) const {
  const auto* dictionary = std::get_if<DictionaryEntries>(&data_);
  if (!dictionary)
    return nullptr;
  auto it = dictionary->find(key);
  return it == dictionary->end() ? nullptr : it->second;
}

const ValueNode* ValueNode::ChildNode(size_t index) const {
  const auto* list = std::get_if<ListEntries>(&data_);
  return list && index < list->size() ? (*list)[index].get() : nullptr;
}

const ValueNode* ValueNode::ChildNode(const std::u16string& key) const {
  const auto* dictionary = std::get_if<DictionaryEntries>(&data_);
  if (!dictionary)
    return nullptr;
  auto it = dictionary->find(key);
  return it == dictionary->end() ? nullptr : it->second.get();
}

std::vector<std::u16string> ValueNode::Keys() const {
  std::vector<std::u16string> keys;
  if (const auto* dictionary = std::get_if<DictionaryEntries>(&data_)) {
    for (const auto& entry : *dictionary)
      keys.push_back(entry.first);
  }
  return keys;
}

bool ValueNode::SetChild(size_t index, Ptr child) {
  auto* list = std::get_if<ListEntries>(&data_);
  // The bound keeps index + 1 from wrapping around to an empty list.
  if (!list || !child || index >= list->max_size())
    return false;
  // Appending, a list's usual way to grow, takes the vector's amortised
  // growth: no placeholder, no reallocation to the exact new size.
  if (index > list->size())
    Resize(index);
  if (index == list->size()) {
    // Most lists hold a few entries: the first append makes room for them
    // at once instead of reallocating at the second and third.
    if (list->empty())
      list->reserve(kFirstListCapacity);
    list->push_back(Adopt(child));
    return true;
  }
  Release((*list)[index]);
  (*list)[index] = Adopt(child);
  return true;
}

bool ValueNode::SetChild(const std::u16string& key, Ptr child) {
  auto* dictionary = std::get_if<DictionaryEntries>(&data_);
  if (!dictionary || !child)
    return false;
  Ptr& slot = (*dictionary)[key];
  Release(slot);
  slot = Adopt(child);
  return true;
}

bool ValueNode::RemoveChild(size_t index) {
  auto* list = std::get_if<ListEntries>(&data_);
  if (!list || index >= list->size())
    return false;
  Release((*list)[index]);
  list->erase(list->begin() + index);
  return true;
}

bool ValueNode::RemoveChild(const std::u16string& key) {
  auto* dictionary = std::get_if<DictionaryEntries>(&data_);
  if (!dictionary)
    return false;
  auto it = dictionary->find(key);
  if (it == dictionary->end())
    return false;
  Release(it->second);
  dictionary->erase(it);
  return true;
}

bool ValueNode::Resize(size_t size) {
  auto* list = std::get_if<ListEntries>(&data_);
  if (!list || size > list->max_size())
    return false;
  if (size < list->size()) {
    std::for_each(list->begin() + size, list->end(), Release);
    list->resize(size);
  }
  list->reserve(size);
  while (list->size() < size)
    list->push_back(Adopt(NewNull()));
  return true;
}

bool ValueNode::Clear() {
  if (std::get_if<ListEntries>(&data_))
    return Resize(0);
  auto* dictionary = std::get_if<DictionaryEntries>(&data_);
  if (!dictionary)
    return false;
  for (const auto& entry : *dictionary)
    Release(entry.second);
  dictionary->clear();
  return true;
}

bool ValueNode::Contains(const ValueNode* node) const {
  for (; node; node = node->container_) {
    if (node == this)
      return true;
  }
  return false;
}

ValueNode::Ptr ValueNode::DeepCopy() const {
  return CopyTree(false);
}

ValueNode::Ptr ValueNode::CopyWithoutEmptyChildren() const {
  return CopyTree(true);
}

ValueNode::Ptr ValueNode::CopyTree(bool drop_empty_containers) const {
  if (const auto* list = std::get_if<ListEntries>(&data_)) {
    Ptr copy = NewList();
    auto& entries = std::get<ListEntries>(copy->data_);
    entries.reserve(list->size());
    for (const Ptr& entry : *list) {
      if (Ptr child = entry->CopyTree(drop_empty_containers))
        entries.push_back(copy->Adopt(child));
    }
    return drop_empty_containers && entries.empty() ? nullptr : copy;
  }
  if (const auto* dictionary = std::get_if<DictionaryEntries>(&data_)) {
    Ptr copy = NewDictionary();
    auto& entries = std::get<DictionaryEntries>(copy->data_);
    for (const auto& entry : *dictionary) {
      if (Ptr child = entry.second->CopyTree(drop_empty_containers))
        entries.emplace_hint(entries.end(), entry.first, copy->Adopt(child));
    }
    return drop_empty_containers && entries.empty() ? nullptr : copy;
  }
  // The remaining alternatives hold their data by value.
  return Make(data_);
}

bool ValueNode::Equals(const ValueNode& other) const {
  if (data_.index() != other.data_.index())
    return false;
  if (const auto* list = std::get_if<ListEntries>(&data_)) {
    const auto& others = std::get<ListEntries>(other.data_);
    return std::equal(list->begin(), list->end(), others.begin(), others.end(),
                      [](const Ptr& a, const Ptr& b) { return a->Equals(*b); });
  }
  if (const auto* dictionary = std::get_if<DictionaryEntries>(&data_)) {
    const auto& others = std::get<DictionaryEntries>(other.data_);
    return std::equal(dictionary->begin(), dictionary->end(), others.begin(),
                      others.end(), [](const auto& a, const auto& b) {
                        return a.first == b.first && a.second->Equals(*b.second);
                      });
  }
  return data_ == other.data_;
}

const ValueNode::Ptr& ValueNode::Adopt(const Ptr& child) {
  assert(!child->container_);
  child->container_ = this;
  return child;
}

void ValueNode::Release(const Ptr& child) {
  if (child)
    child->container_ = nullptr;
}

}  // namespace cefsim
