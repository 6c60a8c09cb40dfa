// The process's one connection to the X server, shared by every windowing
// call, and the conversions between window handles and X window ids.
#ifndef ZUBRIX_PLATFORM_X11_X11_CONNECTION_H_
#define ZUBRIX_PLATFORM_X11_X11_CONNECTION_H_

#include <X11/Xlib.h>

#include <mutex>

#include "platform/win32_window.h"

namespace zubrix::x11 {

// Exclusive use of the shared connection for the length of one call. Holding
// it keeps other threads' requests out, so an X error that arrives before
// Succeeded() returns belongs to this call and to no other. The connection is
// opened from $DISPLAY on first use; if that fails, or the server goes away
// later, display() is null for good and the process carries on.
class XCall {
 public:
  XCall();
  ~XCall();
  XCall(const XCall&) = delete;
  XCall& operator=(const XCall&) = delete;

  // Null when no X server can be used.
  Display* display() const { return display_; }

  // Waits until the server has handled every request made so far in this
  // call (so that other clients see its effects), then tells whether none of
  // them failed and the connection is still up.
  bool Succeeded();

 private:
  std::unique_lock<std::mutex> lock_;
  Display* display_;
};

// The X id that a handle carries, or None when the handle cannot name a
// window: null, or bits set above the 29 that X ids use (such a value would
// otherwise be cut to 32 bits on the wire and could name another window).
Window WindowFromHandle(HWND handle);
HWND HandleFromWindow(Window window);

// Attributes of the window a handle names; false for anything that is not a
// window (pixmaps included).
bool GetAttributes(const XCall& call, HWND handle, XWindowAttributes* out);

bool IsRootWindow(Display* display, Window window);

// Takes another connection of this process under the same error handling as
// the shared one: its X errors are dropped rather than ending the process,
// and so is the loss of the server (the connection's own exit handler hears
// of that). Until released, which must happen before it is closed.
void AdoptConnection(Display* display);
void ReleaseConnection(Display* display);

// The protocol carries positions as 16-bit signed and sizes as 16-bit
// unsigned values and refuses a size of 0; out-of-range values are pinned to
// the nearest one it can carry instead of wrapping around on the wire.
int ClampPosition(int value);
unsigned ClampSize(int value);

}  // namespace zubrix::x11

#endif  // ZUBRIX_PLATFORM_X11_X11_CONNECTION_H_
