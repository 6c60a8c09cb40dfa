#include "browser/browser_creation.h"

#include <QObject>

#include "bridge/host_bridge_singleton.h"
#include "browser/zubrix_cef_client_handler.h"
#include "include/wrapper/cef_helpers.h"

namespace zubrix {

CefBrowserSettings MakeBrowserSettings() {
  CefBrowserSettings settings;
  settings.web_security = STATE_DISABLED;
  return settings;
}

void SetUpChildWindow(HWND parent, CefWindowInfo* info) {
  // A handle that is not a window yields no rectangle; all zero rather than
  // whatever the stack held.
  RECT rect = {0, 0, 0, 0};
  if (!GetClientRect(parent, &rect))
    rect = RECT{0, 0, 0, 0};
  info->SetAsChild(parent, rect);
}

void SetUpDevToolsWindow(HWND parent, CefWindowInfo* info) {
  info->SetAsPopup(parent, "DevTools");
}

void CreateBrowserOnUiThread(const std::shared_ptr<BrowserSlot>& slot,
                             HWND parent, const std::wstring& url) {
  CEF_REQUIRE_UI_THREAD();
  CefBrowserSettings settings = MakeBrowserSettings();
  CefWindowInfo info;
  SetUpChildWindow(parent, &info);
  CefRefPtr<ZubrixCefClientHandler> handler = new ZubrixCefClientHandler();
  QObject::connect(handler->signals(),
                   "2execute_python_callback(int, CefListValueWrapper)",
                   HostBridgeSingleton::Instance(),
                   "1execute_python_callback(int, CefListValueWrapper)",
                   Qt::AutoConnection);
  QObject::connect(handler->signals(),
                   "2page_console_message(QString, int, QString)",
                   HostBridgeSingleton::Instance(),
                   "1page_console_message(QString, int, QString)",
                   Qt::AutoConnection);
  QObject::connect(handler->signals(), "2load_failed(QString, QString)",
                   HostBridgeSingleton::Instance(),
                   "1load_failed(QString, QString)", Qt::AutoConnection);
  slot->Set(CefBrowserHost::CreateBrowserSync(info, handler.get(),
                                              CefString(url), settings,
                                              nullptr));
}

}  // namespace zubrix
