#ifndef CEFSIM_SRC_IPC_PROCESS_MESSAGE_IMPL_H_
#define CEFSIM_SRC_IPC_PROCESS_MESSAGE_IMPL_H_

#include <string>

#include "include/cef_process_message.h"
#include "cefsim/src/ipc/wire_format.h"
#include "cefsim/src/values/value_node.h"

namespace cefsim {

// The message owns its argument list: the list object it hands out refers
// into the message, so setting that list elsewhere copies it.
class ProcessMessageImpl : public CefProcessMessage {
 public:
  // |arguments| must be a list node that nothing else holds.
  ProcessMessageImpl(const CefString& name, ValueNode::Ptr arguments);

  bool IsValid() override { return true; }
  bool IsReadOnly() override { return false; }
  CefRefPtr<CefProcessMessage> Copy() override;
  CefString GetName() override { return name_; }
  CefRefPtr<CefListValue> GetArgumentList() override { return arguments_; }

 private:
  const CefString name_;
  const ValueNode::Ptr arguments_node_;
  const CefRefPtr<CefListValue> arguments_;
  IMPLEMENT_REFCOUNTING(ProcessMessageImpl);
};

// A process message addressed to a browser, as one frame's payload.
std::string EncodeProcessMessage(int browser_id,
                                 CefRefPtr<CefProcessMessage> message);
// Null when the payload is malformed.
CefRefPtr<CefProcessMessage> DecodeProcessMessage(const std::string& payload,
                                                  int* browser_id);

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_PROCESS_MESSAGE_IMPL_H_
