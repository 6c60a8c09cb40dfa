// On Windows a browser ends with its window: destroying the window makes CEF
// close the browser, and its render process exits. The stand-in hears from
// the windowing layer when a window is destroyed and closes the browsers whose
// windows are gone.
#ifndef CEFSIM_SRC_BROWSER_WINDOW_DESTRUCTION_H_
#define CEFSIM_SRC_BROWSER_WINDOW_DESTRUCTION_H_

namespace cefsim {

// From CefInitialize to CefShutdown.
void StartClosingBrowsersWithDestroyedWindows();
void StopClosingBrowsersWithDestroyedWindows();

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_WINDOW_DESTRUCTION_H_
