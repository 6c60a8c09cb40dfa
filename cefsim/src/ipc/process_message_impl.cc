#include "ipc/process_message_impl.h"

#include "ipc/value_codec.h"
#include "strings/u16_text.h"

namespace cefsim {

CefRefPtr<CefProcessMessage> ProcessMessageImpl::Copy() {
  return new ProcessMessageImpl(name_, arguments_->Copy());
}

std::string EncodeProcessMessage(int browser_id,
                                 CefRefPtr<CefProcessMessage> message) {
  WireWriter writer;
  writer.I32(browser_id);
  writer.Utf16(cefsim::ToU16String(message->GetName()));
  WriteList(&writer, message->GetArgumentList());
  return writer.Take();
}

CefRefPtr<CefProcessMessage> DecodeProcessMessage(const std::string& payload,
                                                  int* browser_id) {
  WireReader reader(payload);
  *browser_id = reader.I32();
  CefString name = cefsim::FromU16String(reader.Utf16());
  CefRefPtr<CefListValue> arguments = CefListValue::Create();
  if (!ReadList(&reader, arguments) || !reader.AtEnd())
    return nullptr;
  return new ProcessMessageImpl(name, arguments);
}

}  // namespace cefsim

CefRefPtr<CefProcessMessage> CefProcessMessage::Create(const CefString& name) {
  return new cefsim::ProcessMessageImpl(name, CefListValue::Create());
}
