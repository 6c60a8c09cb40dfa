#include "cefsim/src/ipc/process_message_impl.h"

#include <utility>

#include "cefsim/src/ipc/value_codec.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/values/list_value_impl.h"

namespace cefsim {

ProcessMessageImpl::ProcessMessageImpl(const CefString& name,
                                       ValueNode::Ptr arguments)
    : name_(name),
      arguments_node_(std::move(arguments)),
      arguments_(new ListValueImpl(
          NodeHandle::Referring(arguments_node_, false))) {}

CefRefPtr<CefProcessMessage> ProcessMessageImpl::Copy() {
  return new ProcessMessageImpl(name_, arguments_node_->DeepCopy());
}

std::string EncodeProcessMessage(int browser_id,
                                 CefRefPtr<CefProcessMessage> message) {
  WireWriter writer;
  writer.I32(browser_id);
  const CefString name = message->GetName();
  writer.Utf16(name.c_str(), name.length());
  WriteList(&writer, message->GetArgumentList());
  return writer.Take();
}

CefRefPtr<CefProcessMessage> DecodeProcessMessage(const std::string& payload,
                                                  int* browser_id) {
  WireReader reader(payload);
  *browser_id = reader.I32();
  const CefString name = cefsim::FromU16String(reader.Utf16());
  CefRefPtr<CefListValue> arguments = CefListValue::Create();
  if (!ReadList(&reader, arguments) || !reader.AtEnd())
    return nullptr;
  return new ProcessMessageImpl(name,
                                ListValueImpl::HandleOf(arguments).Lock());
}

}  // namespace cefsim

CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name) {
  return new cefsim::ProcessMessageImpl(name, cefsim::ValueNode::NewList());
}
