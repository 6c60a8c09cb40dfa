// The native object behind Python's CefBrowser: a browser placed as a child
// window of a host window, driven from the host's main thread.
#ifndef ZUBRIX_BROWSER_ZUBRIX_CEF_BROWSER_H_
#define ZUBRIX_BROWSER_ZUBRIX_CEF_BROWSER_H_

#include <memory>
#include <string>

#include "browser/browser_slot.h"

namespace zubrix {

class ZubrixCefBrowser {
 public:
  // Returns at once; the browser is created by a task on CEF's UI thread.
  static ZubrixCefBrowser* CreateBrowserSync(int parent_window,
                                             const std::wstring& url);

  ZubrixCefBrowser();
  ZubrixCefBrowser(const ZubrixCefBrowser&) = delete;
  ZubrixCefBrowser& operator=(const ZubrixCefBrowser&) = delete;

  void Resize(int x, int y, int width, int height);
  void Close();
  void Reload();
  void ExecuteJavascript(const std::string& code);
  void ShowDevTools(int parent_window);
  void RegisterStartupCode(const std::string& code);
  void UnregisterStartupCode();

 private:
  std::shared_ptr<BrowserSlot> browser_;
};

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_ZUBRIX_CEF_BROWSER_H_
