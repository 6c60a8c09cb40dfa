#include "platform/x11/x11_windows.h"

#include <X11/Xutil.h>

#include "platform/x11/x11_connection.h"

namespace zubrix::x11 {
namespace {

// Longest title read back, in the protocol's 32-bit units.
constexpr long kMaxTitleUnits = 1 << 16;

Window NewWindow(const XCall& call, Window parent, int x, int y, int width,
                 int height) {
  // Depth, class and visual follow the parent, which a host's window may
  // choose freely.
  return XCreateWindow(call.display(), parent, ClampPosition(x),
                       ClampPosition(y), ClampSize(width), ClampSize(height),
                       0, CopyFromParent, CopyFromParent, CopyFromParent, 0,
                       nullptr);
}

// Shows the window if asked, and hands it out only once the server has
// accepted every request that made it.
HWND Finish(XCall& call, Window window, bool visible) {
  if (visible) XMapWindow(call.display(), window);
  if (call.Succeeded()) return HandleFromWindow(window);
  XDestroyWindow(call.display(), window);
  return nullptr;
}

Atom Intern(Display* display, const char* name) {
  return XInternAtom(display, name, False);
}

// WM_NAME for readers that follow the ICCCM (Latin-1, or compound text when
// the title needs more) and _NET_WM_NAME with the exact UTF-8.
void SetTitle(Display* display, Window window, const std::string& title) {
  std::string text = title;
  char* list[] = {text.data()};
  XTextProperty property{};
  if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle,
                                  &property) >= Success) {
    XSetWMName(display, window, &property);
    XFree(property.value);
  }
  XChangeProperty(display, window, Intern(display, "_NET_WM_NAME"),
                  Intern(display, "UTF8_STRING"), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title.data()),
                  static_cast<int>(title.size()));
}

std::optional<std::string> ReadNetWmName(Display* display, Window window) {
  Atom utf8_string = Intern(display, "UTF8_STRING");
  Atom type = None;
  int format = 0;
  unsigned long length = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  std::optional<std::string> title;
  if (XGetWindowProperty(display, window, Intern(display, "_NET_WM_NAME"), 0,
                         kMaxTitleUnits, False, utf8_string, &type, &format,
                         &length, &remaining, &data) == Success &&
      type == utf8_string && format == 8) {
    title.emplace(reinterpret_cast<const char*>(data), length);
  }
  if (data) XFree(data);
  return title;
}

std::string ReadWmName(Display* display, Window window) {
  XTextProperty property{};
  if (!XGetWMName(display, window, &property)) return {};
  std::string title;
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >=
          Success &&
      count > 0) {
    title = list[0];
  }
  if (list) XFreeStringList(list);
  XFree(property.value);
  return title;
}

}  // namespace

HWND CreateChildWindow(HWND parent, int x, int y, int width, int height,
                       bool visible) {
  XCall call;
  XWindowAttributes parent_attributes;
  if (!GetAttributes(call, parent, &parent_attributes)) return nullptr;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  Window window =
      NewWindow(call, WindowFromHandle(parent), x, y, width, height);
  return Finish(call, window, visible);
}

HWND CreateTopLevelWindow(HWND owner, const std::string& title, int x, int y,
                          int width, int height, bool visible) {
  XCall call;
  Display* display = call.display();
  if (!display) return nullptr;
  XWindowAttributes owner_attributes;
  if (owner && !GetAttributes(call, owner, &owner_attributes)) return nullptr;
  Screen* screen =
      owner ? owner_attributes.screen : DefaultScreenOfDisplay(display);
  if (width == CW_USEDEFAULT) {
    width = WidthOfScreen(screen) * 3 / 4;
    height = HeightOfScreen(screen) * 3 / 4;
  }
  if (x == CW_USEDEFAULT) {
    x = (WidthOfScreen(screen) - width) / 2;
    y = (HeightOfScreen(screen) - height) / 2;
  }
  Window window =
      NewWindow(call, RootWindowOfScreen(screen), x, y, width, height);
  if (owner) XSetTransientForHint(display, window, WindowFromHandle(owner));
  SetTitle(display, window, title);
  return Finish(call, window, visible);
}

std::optional<WindowState> QueryWindow(HWND handle) {
  XCall call;
  XWindowAttributes attributes;
  if (!GetAttributes(call, handle, &attributes)) return std::nullopt;
  Display* display = call.display();
  Window window = WindowFromHandle(handle);
  Window root = None;
  Window parent = None;
  Window* children = nullptr;
  unsigned count = 0;
  XQueryTree(display, window, &root, &parent, &children, &count);
  if (children) XFree(children);
  Window owner = None;
  XGetTransientForHint(display, window, &owner);
  std::optional<std::string> title = ReadNetWmName(display, window);
  WindowState state{HandleFromWindow(parent),
                    HandleFromWindow(owner),
                    attributes.x,
                    attributes.y,
                    attributes.width,
                    attributes.height,
                    attributes.map_state != IsUnmapped,
                    title ? *title : ReadWmName(display, window)};
  if (!call.Succeeded()) return std::nullopt;
  return state;
}

}  // namespace zubrix::x11
