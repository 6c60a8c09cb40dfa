#include "renderer/v8_function_handler.h"

#include "common/process_messages.h"
#include "include/cef_browser.h"
#include "include/cef_process_message.h"
#include "include/wrapper/cef_helpers.h"
#include "renderer/v8_array_to_list.h"
#include "renderer/v8_int32.h"

namespace zubrix {
namespace {

const char kFunctionName[] = "call_python_callback";

// The names as CefStrings, made once rather than converted at every call.
const CefString& FunctionName() {
  static const CefString* const name = new CefString(kFunctionName);
  return *name;
}

const CefString& CallMessageName() {
  static const CefString* const name =
      new CefString(process_messages::kExecuteCallPythonCallback);
  return *name;
}

}  // namespace

bool V8FunctionHandler::Execute(const CefString& name,
                                CefRefPtr<CefV8Value> object,
                                const CefV8ValueList& arguments,
                                CefRefPtr<CefV8Value>& retval,
                                CefString& exception) {
  CEF_REQUIRE_RENDERER_THREAD();
  CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
  CefRefPtr<CefBrowser> browser = context ? context->GetBrowser() : nullptr;
  if (name != FunctionName() || arguments.size() != 2 ||
      !IsInt32(arguments[0]) || !arguments[1]->IsArray()) {
    return false;
  }
  // A context with no browser has nowhere to send the call.
  if (!browser)
    return false;

  CefRefPtr<CefProcessMessage> message =
      CefProcessMessage::Create(CallMessageName());
  CefRefPtr<CefListValue> message_arguments = message->GetArgumentList();
  process_messages::Set(message_arguments, process_messages::kCallbackId,
                        arguments[0]->GetIntValue());
  CefRefPtr<CefListValue> call_arguments = CefListValue::Create();
  V8ArrayToList(arguments[1], call_arguments);
  process_messages::Set(message_arguments,
                        process_messages::kCallbackArguments, call_arguments);
  browser->SendProcessMessage(PID_BROWSER, message);
  return true;
}

}  // namespace zubrix
