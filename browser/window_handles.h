// Window handles: they cross the Python boundary as signed 32-bit integers
// and are widened by sign extension; a browser's is found through its host.
#ifndef ZUBRIX_BROWSER_WINDOW_HANDLES_H_
#define ZUBRIX_BROWSER_WINDOW_HANDLES_H_

#include <cstdint>

#include "include/cef_browser.h"
#include "platform/win32_window.h"

namespace zubrix {

inline HWND WindowFromPythonHandle(int handle) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

// The browser's window, or null. A browser that Python keeps may have
// closed, or belong to a CEF that was shut down: every object it leads to
// is checked before use.
inline HWND WindowOf(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefBrowserHost> host = browser ? browser->GetHost() : nullptr;
  return host ? host->GetWindowHandle() : nullptr;
}

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_WINDOW_HANDLES_H_
