// The client handler's reception of the render process's requests: each
// recognised message becomes a signal of the browser's bridge object.
#include <string>

#include <QString>

#include "bridge/cef_list_value_wrapper.h"
#include "browser/zubrix_cef_client_handler.h"
#include "common/process_messages.h"
#include "include/wrapper/cef_helpers.h"

namespace zubrix {
namespace {

namespace messages = process_messages;

// The command's text, up to its first NUL character.
QString CommandText(CefRefPtr<CefListValue> arguments) {
  std::string utf8 =
      messages::Get(arguments, messages::kCommandText).ToString();
  return QString::fromUtf8(utf8.c_str());
}

}  // namespace

bool ZubrixCefClientHandler::OnProcessMessageReceived(
    CefRefPtr<CefBrowser> browser,
    CefProcessId source_process,
    CefRefPtr<CefProcessMessage> message) {
  CEF_REQUIRE_UI_THREAD();
  const std::string name = message->GetName().ToString();
  CefRefPtr<CefListValue> arguments = message->GetArgumentList();
  if (name == messages::kExecuteMayaMel) {
    Q_EMIT signals_->execute_maya_mel(CommandText(arguments));
    return true;
  }
  if (name == messages::kExecuteMayaPython) {
    Q_EMIT signals_->execute_maya_python(CommandText(arguments));
    return true;
  }
  if (name == messages::kExecuteCallPythonCallback) {
    // A malformed message without a list is taken and dropped.
    CefRefPtr<CefListValue> call_arguments =
        messages::Get(arguments, messages::kCallbackArguments);
    if (!call_arguments)
      return true;
    // The slot runs later on the host's main thread; it reads a copy that
    // outlives this message.
    CefListValueWrapper wrapper;
    wrapper.list = call_arguments->Copy();
    Q_EMIT signals_->execute_python_callback(
        messages::Get(arguments, messages::kCallbackId), wrapper);
    return true;
  }
  return false;
}

}  // namespace zubrix
