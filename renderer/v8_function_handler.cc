#include "renderer/v8_function_handler.h"

#include "include/cef_browser.h"
#include "include/cef_process_message.h"
#include "renderer/v8_array_to_list.h"

namespace {

const char kFunctionName[] = "call_python_callback";
const char kMessageName[] = "ExecuteCallPythonCallback";

}  // namespace

bool V8FunctionHandler::Execute(const CefString& name,
                                CefRefPtr<CefV8Value> object,
                                const CefV8ValueList& arguments,
                                CefRefPtr<CefV8Value>& retval,
                                CefString& exception) {
  CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
  CefRefPtr<CefBrowser> browser = context ? context->GetBrowser() : nullptr;
  if (name != kFunctionName || arguments.size() != 2 ||
      !arguments[0]->IsInt() || !arguments[1]->IsArray()) {
    return false;
  }
  // A context with no browser has nowhere to send the call.
  if (!browser)
    return false;

  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(kMessageName);
  CefRefPtr<CefListValue> message_arguments = message->GetArgumentList();
  message_arguments->SetInt(0, arguments[0]->GetIntValue());
  CefRefPtr<CefListValue> call_arguments = CefListValue::Create();
  V8ArrayToList(arguments[1], call_arguments);
  message_arguments->SetList(1, call_arguments);
  browser->SendProcessMessage(PID_BROWSER, message);
  return true;
}
