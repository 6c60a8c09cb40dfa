#include "browser/zubrix_cef_client_handler.h"

#include <string>

#include <QString>

#include "bridge/host_bridge_singleton.h"
#include "browser/open_browsers.h"
#include "browser/startup_codes.h"
#include "common/function_task.h"
#include "include/wrapper/cef_helpers.h"
#include "platform/win32_window.h"

namespace zubrix {
namespace {

// Not CEF's own reload id, nor in its user range.
const int kReloadCommandId = 0;

}  // namespace

ZubrixCefClientHandler::ZubrixCefClientHandler()
    : signals_(new HostBridgeSignals) {}

ZubrixCefClientHandler::~ZubrixCefClientHandler() {
  DCHECK(CefCurrentlyOn(TID_UI) || deleted_without_ui_thread_);
  // Also ends its connection to the bridge.
  delete signals_;
}

bool ZubrixCefClientHandler::Release() const {
  if (!ref_count_.Release())
    return false;
  if (CefCurrentlyOn(TID_UI)) {
    delete this;
    return true;
  }
  // As CefDeleteOnUIThread does. A task CEF drops unrun keeps the handler.
  if (PostToUiThread([this]() { delete this; }))
    return true;
  deleted_without_ui_thread_ = true;
  delete this;
  return true;
}

void ZubrixCefClientHandler::OnBeforeContextMenu(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    CefRefPtr<CefContextMenuParams> params,
    CefRefPtr<CefMenuModel> model) {
  CEF_REQUIRE_UI_THREAD();
  if ((params->GetTypeFlags() & (CM_TYPEFLAG_PAGE | CM_TYPEFLAG_FRAME)) == 0)
    return;
  model->Clear();
  model->AddItem(kReloadCommandId, "Reload");
}

bool ZubrixCefClientHandler::OnContextMenuCommand(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    CefRefPtr<CefContextMenuParams> params,
    int command_id,
    EventFlags event_flags) {
  CEF_REQUIRE_UI_THREAD();
  if (command_id != kReloadCommandId)
    return false;
  browser->Reload();
  return true;
}

void ZubrixCefClientHandler::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
  CEF_REQUIRE_UI_THREAD();
  OpenBrowsers::Instance().Add(browser);
}

void ZubrixCefClientHandler::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
  CEF_REQUIRE_UI_THREAD();
  OpenBrowsers::Instance().Remove(browser);
  DropStartupCode(browser);
}

bool ZubrixCefClientHandler::DoClose(CefRefPtr<CefBrowser> browser) {
  CEF_REQUIRE_UI_THREAD();
  // Popups, developer tools among them, are top-level windows of their own:
  // CEF's default close request goes to them and closes just them.
  if (browser->IsPopup())
    return false;
  // The default would ask the host application's top-level window to close,
  // whether a page called window.close() or the browser was closed. Its own
  // child window goes instead, from a task, so that CEF is not re-entered
  // from inside this call; with the window gone CEF ends the browser without
  // asking again.
  PostToUiThread([browser]() {
    CEF_REQUIRE_UI_THREAD();
    HWND window = browser->GetHost()->GetWindowHandle();
    if (IsWindow(window))
      DestroyWindow(window);
  });
  return true;
}

bool ZubrixCefClientHandler::OnConsoleMessage(CefRefPtr<CefBrowser> browser,
                                              const CefString& message,
                                              const CefString& source,
                                              int line) {
  CEF_REQUIRE_UI_THREAD();
  Q_EMIT signals_->page_console_message(
      QString::fromStdString(source.ToString()), line,
      QString::fromStdString(message.ToString()));
  // The tool developer hears of it; CEF's own output stays as it was.
  return false;
}

void ZubrixCefClientHandler::OnLoadStart(CefRefPtr<CefBrowser> browser,
                                         CefRefPtr<CefFrame> frame,
                                         TransitionType transition_type) {
  CEF_REQUIRE_UI_THREAD();
  std::string code;
  if (!HostBridgeSingleton::Instance()->GetStartupCode(browser->GetIdentifier(),
                                                       &code)) {
    return;
  }
  // Whichever frame starts loading, the code runs in the main frame.
  CefRefPtr<CefFrame> main_frame = browser->GetMainFrame();
  if (!main_frame)
    return;
  CefString script;
  script.FromString(code);
  main_frame->ExecuteJavaScript(script, main_frame->GetURL(), 0);
}

void ZubrixCefClientHandler::OnLoadError(CefRefPtr<CefBrowser> browser,
                                         CefRefPtr<CefFrame> frame,
                                         ErrorCode errorCode,
                                         const CefString& errorText,
                                         const CefString& failedUrl) {
  CEF_REQUIRE_UI_THREAD();
  // A load that another navigation replaced did not fail.
  if (errorCode == ERR_ABORTED)
    return;
  Q_EMIT signals_->load_failed(
      QString::fromStdString(failedUrl.ToString()),
      QString::fromStdString(errorText.ToString()) +
          QString(" (error %1)").arg(static_cast<int>(errorCode)));
}

}  // namespace zubrix
