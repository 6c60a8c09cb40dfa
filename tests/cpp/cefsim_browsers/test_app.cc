#include "test_app.h"

#include <signal.h>

#include <string>

#include "ipc/frame_kinds.h"
#include "process/render_process_main.h"

namespace {

void Reply(CefRefPtr<CefBrowser> browser, const std::string& name,
           CefRefPtr<CefListValue> arguments) {
  CefRefPtr<CefProcessMessage> reply = CefProcessMessage::Create(name);
  CefRefPtr<CefListValue> list = reply->GetArgumentList();
  for (size_t i = 0; i < arguments->GetSize(); ++i)
    list->SetValue(i, arguments->GetValue(i));
  browser->SendProcessMessage(PID_BROWSER, reply);
}

}  // namespace

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
