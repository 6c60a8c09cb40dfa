// The client handler's reception of the render process's requests: each
// recognised message becomes a signal of the browser's bridge object.
#include <string>

#include <QString>

#include "bridge/cef_list_value_wrapper.h"
#include "browser/zubrix_cef_client_handler.h"

namespace {

const char kExecuteMayaMel[] = "ExecuteMayaMel";
const char kExecuteMayaPython[] = "ExecuteMayaPython";
const char kExecuteCallPythonCallback[] = "ExecuteCallPythonCallback";

// Argument 0 as text, up to its first NUL character.
QString CommandText(CefRefPtr<CefListValue> arguments) {
  std::string utf8 = arguments->GetString(0).ToString();
  return QString::fromUtf8(utf8.c_str());
}

}  // namespace

bool ZubrixCefClientHandler::OnProcessMessageReceived(
    CefRefPtr<CefBrowser> browser,
    CefProcessId source_process,
    CefRefPtr<CefProcessMessage> message) {
  const std::string name = message->GetName().ToString();
  CefRefPtr<CefListValue> arguments = message->GetArgumentList();
  if (name == kExecuteMayaMel) {
    Q_EMIT signals_->execute_maya_mel(CommandText(arguments));
    return true;
  }
  if (name == kExecuteMayaPython) {
    Q_EMIT signals_->execute_maya_python(CommandText(arguments));
    return true;
  }
  if (name == kExecuteCallPythonCallback) {
    // A malformed message without a list is taken and dropped.
    CefRefPtr<CefListValue> call_arguments = arguments->GetList(1);
    if (!call_arguments)
      return true;
    // The slot runs later on the host's main thread; it reads a copy that
    // outlives this message.
    CefListValueWrapper wrapper;
    wrapper.list = call_arguments->Copy();
    Q_EMIT signals_->execute_python_callback(arguments->GetInt(0), wrapper);
    return true;
  }
  return false;
}
