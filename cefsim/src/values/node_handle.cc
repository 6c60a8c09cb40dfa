#include "cefsim/src/values/node_handle.h"

#include <utility>

namespace cefsim {

NodeHandle NodeHandle::Owning(ValueNode::Ptr root) {
  NodeHandle handle;
  handle.owned_ = std::move(root);
  return handle;
}

NodeHandle NodeHandle::Referring(const ValueNode::Ptr& entry, bool read_only) {
  NodeHandle handle;
  handle.referred_ = entry;
  handle.referred_node_ = entry.get();
  handle.read_only_ = read_only;
  return handle;
}

ValueNode::Ptr NodeHandle::Lock() const {
  return owned_ ? owned_ : referred_.lock();
}

const ValueNode* NodeHandle::Peek() const {
  if (owned_)
    return owned_.get();
  return referred_.expired() ? nullptr : referred_node_;
}

ValueNode::Ptr NodeHandle::LockForWriting() const {
  return read_only_ ? nullptr : Lock();
}

bool NodeHandle::IsOwned() const {
  return !owned_ && !referred_.expired();
}

bool NodeHandle::IsSame(const NodeHandle& other) const {
  ValueNode::Ptr node = Lock();
  return node && node == other.Lock();
}

bool NodeHandle::IsEqual(const NodeHandle& other) const {
  ValueNode::Ptr node = Lock();
  ValueNode::Ptr other_node = other.Lock();
  return node && other_node && node->Equals(*other_node);
}

ValueNode::Ptr NodeHandle::EntryFor(const ValueNode& target) const {
  if (owned_ && !owned_->Contains(&target))
    return owned_;
  ValueNode::Ptr node = Lock();
  return node ? node->DeepCopy() : nullptr;
}

void NodeHandle::Stored(const ValueNode::Ptr& entry) {
  if (entry == owned_)
    owned_.reset();
}

}  // namespace cefsim
