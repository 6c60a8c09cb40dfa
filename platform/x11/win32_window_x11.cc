// Win32's windowing calls over X11. A handle that names no window makes a
// call fail with FALSE, as on Windows; the root window plays the desktop,
// which cannot be moved or destroyed.
#include "platform/win32_window.h"

#include <atomic>

#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_windows.h"

using zubrix::x11::ClampPosition;
using zubrix::x11::ClampSize;
using zubrix::x11::GetAttributes;
using zubrix::x11::IsRootWindow;
using zubrix::x11::WindowFromHandle;
using zubrix::x11::XCall;

namespace {

std::atomic<zubrix::x11::DestroyObserver> destroy_observer{nullptr};

// The window a handle names if it may be moved or destroyed, else None.
Window ChangeableWindow(const XCall& call, HWND handle) {
  Window window = WindowFromHandle(handle);
  if (!call.display() || IsRootWindow(call.display(), window)) return None;
  return window;
}

}  // namespace

BOOL GetClientRect(HWND window, RECT* rect) {
  if (!rect) return FALSE;
  *rect = RECT{0, 0, 0, 0};
  XCall call;
  XWindowAttributes attributes;
  if (!GetAttributes(call, window, &attributes)) return FALSE;
  rect->right = attributes.width;
  rect->bottom = attributes.height;
  return TRUE;
}

BOOL IsWindow(HWND window) {
  XCall call;
  XWindowAttributes attributes;
  return GetAttributes(call, window, &attributes) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx,
                  int cy, UINT flags) {
  XCall call;
  Window target = ChangeableWindow(call, window);
  if (target == None) return FALSE;
  XWindowChanges changes{};
  unsigned mask = 0;
  if (!(flags & SWP_NOMOVE)) {
    changes.x = ClampPosition(x);
    changes.y = ClampPosition(y);
    mask |= CWX | CWY;
  }
  if (!(flags & SWP_NOSIZE)) {
    // Windows accepts an empty window and X does not: the window gets the
    // smallest size X allows, and the call still succeeds as it would there.
    changes.width = static_cast<int>(ClampSize(cx));
    changes.height = static_cast<int>(ClampSize(cy));
    mask |= CWWidth | CWHeight;
  }
  if (!(flags & SWP_NOZORDER)) {
    // A null insert-after handle is Win32's HWND_TOP; any other goes right
    // behind the sibling it names.
    mask |= CWStackMode;
    changes.stack_mode = Above;
    if (insert_after) {
      changes.sibling = WindowFromHandle(insert_after);
      if (changes.sibling == None) return FALSE;
      changes.stack_mode = Below;
      mask |= CWSibling;
    }
  }
  // Sent even when every part is masked out, so that a bad handle still fails.
  XConfigureWindow(call.display(), target, mask, &changes);
  return call.Succeeded() ? TRUE : FALSE;
}

BOOL DestroyWindow(HWND window) {
  bool destroyed;
  {
    XCall call;
    Window target = ChangeableWindow(call, window);
    if (target == None) return FALSE;
    XDestroyWindow(call.display(), target);
    destroyed = call.Succeeded();
  }
  // Outside the call, so that the observer may use these calls itself.
  zubrix::x11::DestroyObserver observer = destroy_observer.load();
  if (destroyed && observer) observer(window);
  return destroyed ? TRUE : FALSE;
}

void zubrix::x11::SetDestroyObserver(DestroyObserver observer) {
  destroy_observer.store(observer);
}
