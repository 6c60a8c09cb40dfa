// Each browser's start-up code, kept in the bridge's store from its
// registration until CEF reports the browser closed.
#ifndef ZUBRIX_BROWSER_STARTUP_CODES_H_
#define ZUBRIX_BROWSER_STARTUP_CODES_H_

#include <string>

#include "include/cef_browser.h"

namespace zubrix {

// On CEF's UI thread, which also reports closes, so that code registered
// for a browser that has closed meanwhile is not kept for ever.
void KeepStartupCode(CefRefPtr<CefBrowser> browser, const std::string& code);
// On CEF's UI thread: at a removal, and when the browser closes.
void DropStartupCode(CefRefPtr<CefBrowser> browser);

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_STARTUP_CODES_H_
