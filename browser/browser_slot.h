// The CEF browser of one ZubrixCefBrowser. The creation task on CEF's UI
// thread writes it once and the host's main thread reads it, so it is handed
// over under a lock; posted tasks share the slot, so that it outlives a
// Python object collected before they run.
#ifndef ZUBRIX_BROWSER_BROWSER_SLOT_H_
#define ZUBRIX_BROWSER_BROWSER_SLOT_H_

#include <memory>
#include <mutex>

#include "include/cef_browser.h"

namespace zubrix {

class BrowserSlot {
 public:
  CefRefPtr<CefBrowser> Get() {
    std::lock_guard<std::mutex> lock(mutex_);
    return browser_;
  }

  void Set(CefRefPtr<CefBrowser> browser) {
    CefRefPtr<CefBrowser> previous;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      previous = browser_;
      browser_ = browser;
    }
    // |previous| is released outside the lock.
  }

 private:
  std::mutex mutex_;
  CefRefPtr<CefBrowser> browser_;
};

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_BROWSER_SLOT_H_
