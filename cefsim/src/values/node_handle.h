// How a value object reaches its data. An object created on its own owns a
// tree; an object obtained from a list or dictionary refers to an entry that
// the container owns, and turns invalid instead of dangling once the container
// replaces, removes or drops that entry.
#ifndef CEFSIM_SRC_VALUES_NODE_HANDLE_H_
#define CEFSIM_SRC_VALUES_NODE_HANDLE_H_

#include <memory>

#include "cefsim/src/values/value_node.h"

namespace cefsim {

class NodeHandle {
 public:
  static NodeHandle Owning(ValueNode::Ptr root);
  static NodeHandle Referring(const ValueNode::Ptr& entry, bool read_only);

  // Null once the data is gone; the result keeps it alive for the call.
  ValueNode::Ptr Lock() const;
  // The same for a read that ends before anything else happens to the data,
  // without taking a reference (a value is used by one thread at a time).
  const ValueNode* Peek() const;
  // Null as well when the data may not be changed through this handle.
  ValueNode::Ptr LockForWriting() const;

  bool IsOwned() const;
  bool read_only() const { return read_only_; }
  bool IsSame(const NodeHandle& other) const;
  bool IsEqual(const NodeHandle& other) const;

  // The entry to store inside |target|: the owned tree itself, or a copy of
  // data referred to, or of a tree that holds |target| (it cannot go inside
  // itself).
  ValueNode::Ptr EntryFor(const ValueNode& target) const;
  // To be told once |entry| from EntryFor is stored: an owned tree that moved
  // into a container leaves this handle invalid.
  void Stored(const ValueNode::Ptr& entry);

 private:
  ValueNode::Ptr owned_;
  std::weak_ptr<ValueNode> referred_;
  // What |referred_| points to, valid while it has not expired.
  const ValueNode* referred_node_ = nullptr;
  bool read_only_ = false;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_NODE_HANDLE_H_
