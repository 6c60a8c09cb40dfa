#include "browser/zubrix_cef_browser.h"

#include <functional>

#include "browser/browser_creation.h"
#include "browser/startup_codes.h"
#include "browser/window_handles.h"
#include "common/function_task.h"
#include "include/cef_client.h"
#include "include/wrapper/cef_helpers.h"

namespace zubrix {
namespace {

using BrowserAction = std::function<void(CefRefPtr<CefBrowser>)>;

// Runs |action| with the browser at once, on the calling thread; nothing
// runs while the browser is not made yet (or never will be).
void WithBrowser(const std::shared_ptr<BrowserSlot>& slot,
                 const BrowserAction& action) {
  if (CefRefPtr<CefBrowser> browser = slot->Get())
    action(browser);
}

// Runs |action| with the browser on CEF's UI thread, behind the creation
// task, so that it finds the browser once made; calls of one browser keep
// their order. Nothing runs when the browser was never made.
void PostWithBrowser(const std::shared_ptr<BrowserSlot>& slot,
                     BrowserAction action) {
  PostToUiThread([slot, action]() {
    CEF_REQUIRE_UI_THREAD();
    WithBrowser(slot, action);
  });
}

// Moves and sizes the browser's window once it exists; until then the call
// follows the creation task on CEF's UI thread, whose tasks run in order.
void ResizeWhenCreated(const std::shared_ptr<BrowserSlot>& slot, int x, int y,
                       int width, int height) {
  CefRefPtr<CefBrowser> browser = slot->Get();
  if (browser) {
    HWND window = WindowOf(browser);
    if (IsWindow(window))
      SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER);
    return;
  }
  if (CefCurrentlyOn(TID_UI))
    return;  // Created already and failed: the chain ends here.
  PostToUiThread([slot, x, y, width, height]() {
    CEF_REQUIRE_UI_THREAD();
    ResizeWhenCreated(slot, x, y, width, height);
  });
}

}  // namespace

ZubrixCefBrowser* ZubrixCefBrowser::CreateBrowserSync(int parent_window,
                                                      const std::wstring& url) {
  ZubrixCefBrowser* object = new ZubrixCefBrowser();
  std::shared_ptr<BrowserSlot> slot = object->browser_;
  HWND parent = WindowFromPythonHandle(parent_window);
  PostToUiThread(
      [slot, parent, url]() { CreateBrowserOnUiThread(slot, parent, url); });
  return object;
}

ZubrixCefBrowser::ZubrixCefBrowser()
    : browser_(std::make_shared<BrowserSlot>()) {}

void ZubrixCefBrowser::Resize(int x, int y, int width, int height) {
  ResizeWhenCreated(browser_, x, y, width, height);
}

void ZubrixCefBrowser::Close() {
  WithBrowser(browser_, [](CefRefPtr<CefBrowser> browser) {
    // Windows lets only the creating thread, CEF's UI thread, destroy a
    // window.
    auto destroy = [browser]() {
      CEF_REQUIRE_UI_THREAD();
      HWND window = WindowOf(browser);
      if (IsWindow(window))
        DestroyWindow(window);
    };
    if (CefCurrentlyOn(TID_UI))
      destroy();
    else
      PostToUiThread(destroy);
  });
}

void ZubrixCefBrowser::Reload() {
  WithBrowser(browser_,
              [](CefRefPtr<CefBrowser> browser) { browser->Reload(); });
}

void ZubrixCefBrowser::ExecuteJavascript(const std::string& code) {
  WithBrowser(browser_, [&code](CefRefPtr<CefBrowser> browser) {
    // CEF hands out a placeholder frame while there is no main frame (also
    // once the browser has closed), whose code goes nowhere; null is still
    // checked, as CEF's API allows it.
    CefRefPtr<CefFrame> frame = browser->GetMainFrame();
    if (!frame)
      return;
    // The code ends at its first NUL byte.
    CefString script;
    script.FromString(std::string(code.c_str()));
    frame->ExecuteJavaScript(script, frame->GetURL(), 0);
  });
}

void ZubrixCefBrowser::ShowDevTools(int parent_window) {
  WithBrowser(browser_, [parent_window](CefRefPtr<CefBrowser> browser) {
    CefRefPtr<CefBrowserHost> host = browser->GetHost();
    if (!host)
      return;
    CefWindowInfo info;
    SetUpDevToolsWindow(WindowFromPythonHandle(parent_window), &info);
    CefBrowserSettings settings;
    host->ShowDevTools(info, host->GetClient(), settings, CefPoint(0, 0));
  });
}

void ZubrixCefBrowser::RegisterStartupCode(const std::string& code) {
  // Both registering and removing are posted, so that a removal right after
  // a registration cannot overtake it.
  PostWithBrowser(browser_, [code](CefRefPtr<CefBrowser> browser) {
    KeepStartupCode(browser, code);
  });
}

void ZubrixCefBrowser::UnregisterStartupCode() {
  PostWithBrowser(browser_, &DropStartupCode);
}

}  // namespace zubrix
