// Every browser of the browser process, by identifier, from creation until
// CefShutdown.
#ifndef CEFSIM_SRC_BROWSER_BROWSER_REGISTRY_H_
#define CEFSIM_SRC_BROWSER_BROWSER_REGISTRY_H_

#include <vector>

#include "cefsim/src/browser/browser_host_impl.h"

namespace cefsim {

// Identifiers count from 1, as CEF's do.
int NextBrowserId();
void AddBrowser(CefRefPtr<BrowserHostImpl> browser);
// Closed browsers stay findable, so that late reports find them closed.
CefRefPtr<BrowserHostImpl> FindBrowser(int id);
std::vector<CefRefPtr<BrowserHostImpl>> AllBrowsers();
// The browsers not closed yet, developer tools included.
size_t OpenBrowserCount();
// Closes every browser on the UI thread and forgets them all; for shutdown.
void CloseAllBrowsers();

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_BROWSER_REGISTRY_H_
