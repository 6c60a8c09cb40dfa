// The browsers of the module's clients that CEF has created and not yet
// reported closed, developer-tools browsers included: CEF must not be shut
// down while one of them is open.
#ifndef ZUBRIX_BROWSER_OPEN_BROWSERS_H_
#define ZUBRIX_BROWSER_OPEN_BROWSERS_H_

#include <map>
#include <mutex>
#include <vector>

#include "include/cef_browser.h"

namespace zubrix {

// CEF's UI thread adds and removes; the host's main thread asks how many are
// left while it waits for them: one lock guards the set.
class OpenBrowsers {
 public:
  static OpenBrowsers& Instance();

  // From OnAfterCreated and OnBeforeClose.
  void Add(CefRefPtr<CefBrowser> browser);
  void Remove(CefRefPtr<CefBrowser> browser);

  std::vector<CefRefPtr<CefBrowser>> All();
  size_t Count();
  bool Contains(int browser_id);

  // On CEF's UI thread: closes every open browser as ZubrixCefBrowser::Close
  // does, by destroying its window, so that CEF closes it without asking the
  // client and without closing the host's window; a browser whose window is
  // gone is closed through its host. CEF reports each through OnBeforeClose.
  void CloseAll();

 private:
  OpenBrowsers() = default;

  std::mutex mutex_;
  std::map<int, CefRefPtr<CefBrowser>> browsers_;
};

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_OPEN_BROWSERS_H_
