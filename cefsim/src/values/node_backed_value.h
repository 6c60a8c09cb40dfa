// What binaries, lists and dictionaries share: their data sits behind a
// NodeHandle, and two of them are the same when they reach the same node.
#ifndef CEFSIM_SRC_VALUES_NODE_BACKED_VALUE_H_
#define CEFSIM_SRC_VALUES_NODE_BACKED_VALUE_H_

#include <utility>

#include "include/cef_values.h"
#include "cefsim/src/values/node_handle.h"

namespace cefsim {

template <class Interface>
class NodeBackedValue : public Interface {
 public:
  // Every |Interface| object in this library is a NodeBackedValue.
  static NodeHandle& HandleOf(const CefRefPtr<Interface>& value) {
    return static_cast<NodeBackedValue*>(value.get())->handle_;
  }

  NodeHandle& handle() { return handle_; }

  bool IsValid() override { return handle_.Peek() != nullptr; }
  bool IsOwned() override { return handle_.IsOwned(); }
  bool IsSame(CefRefPtr<Interface> that) override {
    return that && handle_.IsSame(HandleOf(that));
  }
  bool IsEqual(CefRefPtr<Interface> that) override {
    return that && handle_.IsEqual(HandleOf(that));
  }

 protected:
  explicit NodeBackedValue(NodeHandle handle) : handle_(std::move(handle)) {}

 private:
  NodeHandle handle_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_VALUES_NODE_BACKED_VALUE_H_
