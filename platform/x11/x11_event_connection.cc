#include "platform/x11/x11_event_connection.h"

#include "platform/x11/x11_connection.h"

namespace zubrix::x11 {

EventConnection::EventConnection() : display_(XOpenDisplay(nullptr)) {
  if (!display_) return;
  XSetIOErrorExitHandler(display_, &EventConnection::OnLost, this);
  AdoptConnection(display_);
}

EventConnection::~EventConnection() {
  if (!display_) return;
  // Errors of requests still on their way arrive while they are dropped.
  if (!lost_) XSync(display_, True);
  ReleaseConnection(display_);
  // After the server is lost this only frees what is left.
  XCloseDisplay(display_);
}

void EventConnection::OnLost(Display*, void* self) {
  static_cast<EventConnection*>(self)->lost_ = true;
}

}  // namespace zubrix::x11
