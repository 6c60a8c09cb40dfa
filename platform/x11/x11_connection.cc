#include "platform/x11/x11_connection.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

namespace zubrix::x11 {
namespace {

enum class ConnectionState { kUnopened, kOpen, kUnavailable };

std::mutex g_mutex;
// Guarded by g_mutex.
ConnectionState g_state = ConnectionState::kUnopened;
// Set by the handlers below, which Xlib runs inside a request on our
// connection, that is, on a thread that holds g_mutex.
bool g_request_failed = false;
bool g_connection_lost = false;
// Read by the handlers on whatever thread hits an X error, ours or not.
std::atomic<Display*> g_display{nullptr};
std::atomic<XErrorHandler> g_next_error_handler{nullptr};
std::atomic<XIOErrorHandler> g_next_io_error_handler{nullptr};

// Other connections of ours (AdoptConnection). The handlers read the list on
// the thread of a request on such a connection; no X call is made under the
// lock.
std::mutex g_adopted_mutex;
std::vector<Display*> g_adopted;  // Guarded by g_adopted_mutex.

bool IsAdopted(Display* display) {
  std::lock_guard<std::mutex> lock(g_adopted_mutex);
  return std::find(g_adopted.begin(), g_adopted.end(), display) !=
         g_adopted.end();
}

// Passes an error on another connection to the handler that was installed
// before ours. A handler that itself passes errors on to its predecessor, us,
// would otherwise bounce the error back and forth for ever.
template <typename Handler, typename... Args>
int Forward(const std::atomic<Handler>& next, Args... args) {
  thread_local bool forwarding = false;
  Handler handler = next.load();
  if (!handler || forwarding) return 0;
  forwarding = true;
  int result = handler(args...);
  forwarding = false;
  return result;
}

int OnXError(Display* display, XErrorEvent* event) {
  if (display != g_display.load()) {
    if (IsAdopted(display)) return 0;
    return Forward(g_next_error_handler, display, event);
  }
  g_request_failed = true;
  return 0;
}

// For our connections, returning lets Xlib go on to the connection's exit
// handler (OnConnectionLost for the shared one) instead of its default,
// which ends the process.
int OnXIOError(Display* display) {
  if (display != g_display.load() && !IsAdopted(display)) {
    return Forward(g_next_io_error_handler, display);
  }
  return 0;
}

void OnConnectionLost(Display*, void*) { g_connection_lost = true; }

// The handlers are process-wide and the host may install its own after ours,
// so ours go back in front on every call.
void InstallHandlers() {
  XErrorHandler previous = XSetErrorHandler(&OnXError);
  if (previous != &OnXError) g_next_error_handler.store(previous);
  XIOErrorHandler previous_io = XSetIOErrorHandler(&OnXIOError);
  if (previous_io != &OnXIOError) g_next_io_error_handler.store(previous_io);
}

// Requires g_mutex. Opens the connection once; an unreachable server is not
// tried again, so that a call never waits on a connection timeout twice.
Display* UsableDisplay() {
  if (g_state == ConnectionState::kUnopened) {
    Display* display = XOpenDisplay(nullptr);
    g_state = display ? ConnectionState::kOpen : ConnectionState::kUnavailable;
    if (display) {
      XSetIOErrorExitHandler(display, &OnConnectionLost, nullptr);
      g_display.store(display);
    }
  }
  if (g_state == ConnectionState::kOpen && g_connection_lost) {
    XCloseDisplay(g_display.load());  // Only frees what is left of it.
    g_display.store(nullptr);
    g_state = ConnectionState::kUnavailable;
  }
  return g_state == ConnectionState::kOpen ? g_display.load() : nullptr;
}

bool HasUnhandledRequests(Display* display) {
  return LastKnownRequestProcessed(display) + 1 != XNextRequest(display);
}

}  // namespace

XCall::XCall() : lock_(g_mutex), display_(UsableDisplay()) {
  if (display_) InstallHandlers();
  g_request_failed = false;
}

XCall::~XCall() {
  // Settles a call that returned early, so that its errors cannot land in
  // the next one.
  if (display_ && HasUnhandledRequests(display_)) XSync(display_, False);
}

bool XCall::Succeeded() {
  if (!display_) return false;
  // This connection selects no events; the few that the server sends anyway
  // are dropped here rather than left to pile up.
  XSync(display_, True);
  return !g_request_failed && !g_connection_lost;
}

Window WindowFromHandle(HWND handle) {
  constexpr uintptr_t kXidBits = 0x1FFFFFFF;
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  return (value & ~kXidBits) ? None : static_cast<Window>(value);
}

HWND HandleFromWindow(Window window) {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

bool GetAttributes(const XCall& call, HWND handle, XWindowAttributes* out) {
  Window window = WindowFromHandle(handle);
  return call.display() && window != None &&
         XGetWindowAttributes(call.display(), window, out) != 0;
}

void AdoptConnection(Display* display) {
  {
    std::lock_guard<std::mutex> lock(g_adopted_mutex);
    g_adopted.push_back(display);
  }
  // The shared connection's calls put the handlers in front again; this
  // connection's may come first.
  std::lock_guard<std::mutex> lock(g_mutex);
  InstallHandlers();
}

void ReleaseConnection(Display* display) {
  std::lock_guard<std::mutex> lock(g_adopted_mutex);
  g_adopted.erase(std::remove(g_adopted.begin(), g_adopted.end(), display),
                  g_adopted.end());
}

bool IsRootWindow(Display* display, Window window) {
  for (int screen = 0; screen < ScreenCount(display); ++screen) {
    if (RootWindow(display, screen) == window) return true;
  }
  return false;
}

int ClampPosition(int value) {
  return std::clamp<int>(value, std::numeric_limits<int16_t>::min(),
                         std::numeric_limits<int16_t>::max());
}

unsigned ClampSize(int value) {
  return static_cast<unsigned>(
      std::clamp<int>(value, 1, std::numeric_limits<uint16_t>::max()));
}

}  // namespace zubrix::x11
