#include "browser/open_browsers.h"

#include "browser/window_handles.h"
#include "include/wrapper/cef_helpers.h"

namespace zubrix {

OpenBrowsers& OpenBrowsers::Instance() {
  // Never destroyed: CEF's threads may report after the module's statics go.
  static OpenBrowsers* const instance = new OpenBrowsers();
  return *instance;
}

void OpenBrowsers::Add(CefRefPtr<CefBrowser> browser) {
  std::lock_guard<std::mutex> lock(mutex_);
  browsers_[browser->GetIdentifier()] = browser;
}

void OpenBrowsers::Remove(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefBrowser> removed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto entry = browsers_.find(browser->GetIdentifier());
    if (entry == browsers_.end())
      return;
    removed = entry->second;
    browsers_.erase(entry);
  }
  // The last reference may go here, outside the lock.
}

std::vector<CefRefPtr<CefBrowser>> OpenBrowsers::All() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<CefRefPtr<CefBrowser>> all;
  for (const auto& entry : browsers_)
    all.push_back(entry.second);
  return all;
}

size_t OpenBrowsers::Count() {
  std::lock_guard<std::mutex> lock(mutex_);
  return browsers_.size();
}

bool OpenBrowsers::Contains(int browser_id) {
  std::lock_guard<std::mutex> lock(mutex_);
  return browsers_.count(browser_id) != 0;
}

void OpenBrowsers::CloseAll() {
  CEF_REQUIRE_UI_THREAD();
  for (const CefRefPtr<CefBrowser>& browser : All()) {
    CefRefPtr<CefBrowserHost> host = browser->GetHost();
    if (!host)
      continue;
    // A window that went with its parent meanwhile cannot be destroyed
    // again: CEF is then asked to close the browser itself.
    HWND window = WindowOf(browser);
    if (!IsWindow(window) || !DestroyWindow(window))
      host->CloseBrowser(true);
  }
}

}  // namespace zubrix
