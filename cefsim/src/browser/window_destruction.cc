#include "cefsim/src/browser/window_destruction.h"

#include "cefsim/src/browser/browser_registry.h"
#include "platform/x11/x11_windows.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

void OnWindowDestroyed(HWND) {
  // The window's descendants went with it, so every browser's window is
  // looked at; on the UI thread, where browsers close, and after whatever
  // the destroying thread is still doing.
  PostToNamedThread(TID_UI, []() {
    for (const auto& browser : AllBrowsers()) {
      if (!browser->closed() && !IsWindow(browser->GetWindowHandle()))
        browser->WindowDestroyed();
    }
  });
}

}  // namespace

void StartClosingBrowsersWithDestroyedWindows() {
  zubrix::x11::SetDestroyObserver(OnWindowDestroyed);
}

void StopClosingBrowsersWithDestroyedWindows() {
  zubrix::x11::SetDestroyObserver(nullptr);
}

}  // namespace cefsim
