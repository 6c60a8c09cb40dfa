// A connection of its own for a thread that waits for X events on windows:
// the shared connection selects none and drops what arrives.
#ifndef ZUBRIX_PLATFORM_X11_X11_EVENT_CONNECTION_H_
#define ZUBRIX_PLATFORM_X11_X11_EVENT_CONNECTION_H_

#include <X11/Xlib.h>

namespace zubrix::x11 {

// Used by one thread only. A request about a window that another client has
// just destroyed fails quietly instead of ending the process, and so does
// the loss of the server, after which lost() is true and the connection is
// of no further use.
class EventConnection {
 public:
  // Opens from $DISPLAY; display() is null when that fails.
  EventConnection();
  ~EventConnection();
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;

  Display* display() const { return display_; }
  bool lost() const { return lost_; }

 private:
  static void OnLost(Display* display, void* self);

  Display* display_;
  // Set by Xlib inside a request, on the thread that owns the connection.
  bool lost_ = false;
};

}  // namespace zubrix::x11

#endif  // ZUBRIX_PLATFORM_X11_X11_EVENT_CONNECTION_H_
