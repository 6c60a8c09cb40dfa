#include "browser/startup_codes.h"

#include "bridge/host_bridge_singleton.h"
#include "browser/open_browsers.h"
#include "include/wrapper/cef_helpers.h"

namespace zubrix {

void KeepStartupCode(CefRefPtr<CefBrowser> browser, const std::string& code) {
  CEF_REQUIRE_UI_THREAD();
  if (!OpenBrowsers::Instance().Contains(browser->GetIdentifier()))
    return;
  HostBridgeSingleton::Instance()->SetStartupCode(browser->GetIdentifier(),
                                                  code);
}

void DropStartupCode(CefRefPtr<CefBrowser> browser) {
  CEF_REQUIRE_UI_THREAD();
  HostBridgeSingleton::Instance()->RemoveStartupCode(browser->GetIdentifier());
}

}  // namespace zubrix
