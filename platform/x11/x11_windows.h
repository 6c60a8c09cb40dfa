// Window creation and inspection for the CEF stand-in and the tests, over the
// same X connection as the Win32 calls. Not part of the Win32 surface: the
// system's own code never includes this header.
#ifndef ZUBRIX_PLATFORM_X11_X11_WINDOWS_H_
#define ZUBRIX_PLATFORM_X11_X11_WINDOWS_H_

#include <optional>
#include <string>

#include "platform/win32_window.h"

namespace zubrix::x11 {

// A child window of `parent` at (x, y) in the parent's client coordinates.
// As with Win32, CW_USEDEFAULT as x puts it at (0, 0) and as width makes it
// empty (here the 1x1 that X allows). Null if `parent` is not a window.
HWND CreateChildWindow(HWND parent, int x, int y, int width, int height,
                       bool visible);

// A top-level window titled `title` (UTF-8), owned by `owner` (marked as
// transient for it), or unowned when `owner` is null. CW_USEDEFAULT as x
// picks the position and ignores y; as width it picks the size and ignores
// height. The defaults centre a window of three quarters of the screen. Null
// if `owner` is given but is not a window.
HWND CreateTopLevelWindow(HWND owner, const std::string& title, int x, int y,
                          int width, int height, bool visible);

struct WindowState {
  HWND parent;  // The root window's handle for a top-level window.
  HWND owner;   // Null unless the window is transient for another.
  int x;        // Relative to the parent.
  int y;
  int width;
  int height;
  bool visible;       // Mapped, whether or not its ancestors are.
  std::string title;  // UTF-8; empty if the window has none.
};

// Nothing if `window` is not a window.
std::optional<WindowState> QueryWindow(HWND window);

// Called with the handle each time DestroyWindow has destroyed a window (and
// with it its descendants), on the thread that called it, after the call has
// let go of the connection. One observer for the process; null for none.
using DestroyObserver = void (*)(HWND window);
void SetDestroyObserver(DestroyObserver observer);

}  // namespace zubrix::x11

#endif  // ZUBRIX_PLATFORM_X11_X11_WINDOWS_H_
