#include "test_app.h"

#include <signal.h>

#include <string>
#include <utility>

#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/process/render_process_main.h"

namespace {

void Reply(CefRefPtr<CefBrowser> browser, const std::string& name,
           CefRefPtr<CefListValue> arguments) {
  CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create(name);
  CefRefPtr<CefListValue> list = reply->GetArgumentList();
  for (size_t i = 0; i < arguments->GetSize(); ++i)
    list->SetValue(i, arguments->GetValue(i));
  browser->SendProcessMessage(PID_BROWSER, reply);
}

// The names of the type tests |value| passes, comma-separated.
std::string Describe(CefRefPtr<CefV8Value> value) {
  const std::pair<const char*, bool> tests[] = {
      {"undefined", value->IsUndefined()}, {"null", value->IsNull()},
      {"bool", value->IsBool()},           {"int", value->IsInt()},
      {"uint", value->IsUInt()},           {"double", value->IsDouble()},
      {"date", value->IsDate()},           {"string", value->IsString()},
      {"object", value->IsObject()},       {"array", value->IsArray()},
      {"function", value->IsFunction()},
  };
  std::string names;
  for (const auto& test : tests) {
    if (test.second)
      names += names.empty() ? test.first : std::string(",") + test.first;
  }
  return names;
}

void SetListItem(CefRefPtr<CefListValue> list, size_t index,
                 CefRefPtr<CefV8Value> value) {
  if (value->IsBool())
    list->SetBool(index, value->GetBoolValue());
  else if (value->IsInt())
    list->SetInt(index, value->GetIntValue());
  else if (value->IsDouble())
    list->SetDouble(index, value->GetDoubleValue());
  else if (value->IsString())
    list->SetString(index, value->GetStringValue());
  else
    list->SetNull(index);
}

class ProbeHandler : public CefV8Handler {
 public:
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
               const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
               CefString& exception) override {
    if (arguments.empty()) {
      exception = "an argument is needed";
      return true;
    }
    if (name == "Describe") {
      retval = CefV8Value::CreateString(Describe(arguments[0]));
      return true;
    }
    CefRefPtr<CefV8Context> context = CefV8Context::GetCurrentContext();
    CefRefPtr<CefProcessMessage> message =
        CefProcessMessage::Create(arguments[0]->GetStringValue());
    CefRefPtr<CefListValue> list = message->GetArgumentList();
    list->SetString(0, context->GetFrame()->GetURL());
    for (size_t i = 1; i < arguments.size(); ++i)
      SetListItem(list, i, arguments[i]);
    retval = CefV8Value::CreateBool(
        context->GetBrowser()->SendProcessMessage(PID_BROWSER, message));
    return true;
  }

 private:
  IMPLEMENT_REFCOUNTING(ProbeHandler);
};

}  // namespace

void TestApp::OnWebKitInitialized() {
  CefRegisterExtension("test/probe", R"(
    var test = {};
    (function() {
      native function Describe();
      native function Send();
      test.describe = function(value) { return Describe(value); };
      test.send = function() { return Send.apply(this, arguments); };
    })();
  )",
                       new ProbeHandler());
}

void TestApp::OnContextCreated(CefRefPtr<CefBrowser> browser,
                               CefRefPtr<CefFrame> frame,
                               CefRefPtr<CefV8Context> context) {
  CefRefPtr<CefV8Value> extension;
  CefRefPtr<CefV8Exception> exception;
  context->Eval("typeof test", "", 1, extension, exception);
  CefRefPtr<CefListValue> arguments = CefListValue::Create();
  arguments->SetString(0, frame->GetURL());
  arguments->SetBool(1, context->GetFrame()->GetIdentifier() ==
                            frame->GetIdentifier());
  arguments->SetBool(2, context->GetBrowser()->IsSame(browser));
  arguments->SetBool(3, frame->GetV8Context()->IsSame(context));
  arguments->SetString(4, extension ? extension->GetStringValue() : "");
  Reply(browser, "context_created", arguments);
}

void TestApp::OnContextReleased(CefRefPtr<CefBrowser> browser,
                                CefRefPtr<CefFrame> frame,
                                CefRefPtr<CefV8Context> context) {
  CefRefPtr<CefListValue> arguments = CefListValue::Create();
  arguments->SetString(0, frame->GetURL());
  arguments->SetBool(1, context->IsValid());
  Reply(browser, "context_released", arguments);
}

void TestApp::OnBrowserCreated(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefListValue> arguments = CefListValue::Create();
  arguments->SetInt(0, browser->GetIdentifier());
  arguments->SetBool(1, browser->GetHost() == nullptr);
  Reply(browser, "created", arguments);
}

bool TestApp::OnProcessMessageReceived(CefRefPtr<CefBrowser> browser,
                                       CefProcessId source_process,
                                       CefRefPtr<CefProcessMessage> message) {
  std::string name = message->GetName();
  if (name == "echo") {
    Reply(browser, "echo", message->GetArgumentList());
  } else if (name == "frames") {
    std::vector<int64> identifiers;
    browser->GetFrameIdentifiers(identifiers);
    CefRefPtr<CefListValue> urls = CefListValue::Create();
    for (int64 id : identifiers)
      urls->SetString(urls->GetSize(), browser->GetFrame(id)->GetURL());
    Reply(browser, "frames", urls);
  } else if (name == "garbage") {
    cefsim::RenderProcessChannel()->Send(cefsim::kFrameLoadStart, "\x01");
  } else if (name == "eval") {
    CefRefPtr<CefV8Value> result;
    CefRefPtr<CefV8Exception> exception;
    CefRefPtr<CefListValue> answer = CefListValue::Create();
    if (browser->GetMainFrame()->GetV8Context()->Eval(
            message->GetArgumentList()->GetString(0), "", 1, result,
            exception)) {
      answer->SetString(0, result->IsString()
                               ? result->GetStringValue().ToString()
                               : Describe(result));
    } else {
      answer->SetString(0, "exception: " + exception->GetMessage().ToString());
    }
    Reply(browser, "eval", answer);
  } else if (name == "exec") {
    browser->GetMainFrame()->ExecuteJavaScript(
        message->GetArgumentList()->GetString(0), "", 1);
  } else if (name == "oversized") {
    // One byte past Chromium's IPC limit, once the message's own framing is
    // counted; the source goes before the message is sent.
    CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create("oversized");
    {
      std::string bytes(128u * 1024 * 1024 + 1, 'x');
      reply->GetArgumentList()->SetBinary(
          0, CefBinaryValue::Create(bytes.data(), bytes.size()));
    }
    CefRefPtr<CefListValue> result = CefListValue::Create();
    result->SetBool(0, browser->SendProcessMessage(PID_BROWSER, reply));
    Reply(browser, "oversized_sent", result);
  } else if (name == "crash") {
    // The default action, so that a sanitizer's handler cannot turn the
    // crash into an ordinary exit.
    signal(SIGSEGV, SIG_DFL);
    raise(SIGSEGV);
  } else {
    return false;
  }
  return true;
}
