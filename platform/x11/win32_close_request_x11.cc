// Win32's GetAncestor and a posted WM_CLOSE, over X11. On Windows what a
// close request does is up to the window's own procedure: a toolkit's (Qt's)
// asks the application, the default one destroys the window. Here a window
// that takes part in the ICCCM's WM_DELETE_WINDOW protocol, as every Qt
// top-level window does, gets the client message that a window manager sends
// when the user closes it, so its toolkit sees the request as it would on
// Windows; any other window is destroyed, as the default procedure does.
#include "platform/win32_window.h"

#include "platform/x11/x11_connection.h"

using zubrix::x11::GetAttributes;
using zubrix::x11::HandleFromWindow;
using zubrix::x11::IsRootWindow;
using zubrix::x11::WindowFromHandle;
using zubrix::x11::XCall;

namespace {

bool TakesDeleteWindow(Display* display, Window window, Atom delete_window) {
  Atom* protocols = nullptr;
  int count = 0;
  bool takes = false;
  if (XGetWMProtocols(display, window, &protocols, &count)) {
    for (int i = 0; i < count; ++i)
      takes = takes || protocols[i] == delete_window;
  }
  if (protocols) XFree(protocols);
  return takes;
}

}  // namespace

HWND GetAncestor(HWND handle, UINT flags) {
  if (flags != GA_ROOT) return nullptr;
  XCall call;
  Display* display = call.display();
  Window window = WindowFromHandle(handle);
  if (!display || window == None || IsRootWindow(display, window))
    return nullptr;
  // Without a reparenting window manager, as under Xvfb, a top-level
  // window's parent is the root.
  for (;;) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    Status listed =
        XQueryTree(display, window, &root, &parent, &children, &count);
    if (children) XFree(children);
    if (!listed) return nullptr;
    if (parent == root || parent == None) break;
    window = parent;
  }
  return call.Succeeded() ? HandleFromWindow(window) : nullptr;
}

BOOL PostMessage(HWND handle, UINT message, WPARAM, LPARAM) {
  if (message != WM_CLOSE) return FALSE;
  {
    XCall call;
    XWindowAttributes attributes;
    Display* display = call.display();
    Window window = WindowFromHandle(handle);
    if (!GetAttributes(call, handle, &attributes) ||
        IsRootWindow(display, window))
      return FALSE;
    Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (TakesDeleteWindow(display, window, delete_window)) {
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = window;
      event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
      event.xclient.format = 32;
      event.xclient.data.l[0] = static_cast<long>(delete_window);
      event.xclient.data.l[1] = CurrentTime;
      // No event mask: the event goes to the client that made the window.
      XSendEvent(display, window, False, NoEventMask, &event);
      return call.Succeeded() ? TRUE : FALSE;
    }
  }
  // Outside the call: destroying takes the connection itself.
  return DestroyWindow(handle);
}
