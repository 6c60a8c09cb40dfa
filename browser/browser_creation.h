// The browser-creation task and the settings every browser is made with.
#ifndef ZUBRIX_BROWSER_BROWSER_CREATION_H_
#define ZUBRIX_BROWSER_BROWSER_CREATION_H_

#include <memory>
#include <string>

#include "browser/browser_slot.h"
#include "include/cef_browser.h"
#include "platform/win32_window.h"

namespace zubrix {

// Web security off, all else CEF's defaults.
CefBrowserSettings MakeBrowserSettings();
// A child window filling |parent|'s client area.
void SetUpChildWindow(HWND parent, CefWindowInfo* info);
// A top-level pop-up owned by |parent|, titled "DevTools".
void SetUpDevToolsWindow(HWND parent, CefWindowInfo* info);

// On CEF's UI thread: makes the client handler, connects it to the bridge and
// creates the browser into |slot|.
void CreateBrowserOnUiThread(const std::shared_ptr<BrowserSlot>& slot,
                             HWND parent, const std::wstring& url);

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_BROWSER_CREATION_H_
