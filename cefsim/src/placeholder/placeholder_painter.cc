#include "cefsim/src/placeholder/placeholder_painter.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <set>

#include "cefsim/src/placeholder/placeholder_canvas.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_event_connection.h"

namespace cefsim {
namespace {

using Clock = std::chrono::steady_clock;

// A page that logs without pause repaints at most this often.
constexpr std::chrono::milliseconds kRepaintInterval(40);

void Wake(int fd) {
  char byte = 0;
  // A full pipe already wakes the thread.
  ssize_t ignored = write(fd, &byte, 1);
  (void)ignored;
}

void Drain(int fd) {
  char buffer[64];
  while (read(fd, buffer, sizeof(buffer)) > 0) {
  }
}

// Takes the events that arrived: windows exposed or resized need painting,
// destroyed ones are forgotten.
void ReadEvents(Display* display, std::set<Window>* dirty,
                const std::function<void(Window)>& forget) {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == Expose && event.xexpose.count == 0) {
      dirty->insert(event.xexpose.window);
    } else if (event.type == ConfigureNotify) {
      dirty->insert(event.xconfigure.window);
    } else if (event.type == DestroyNotify) {
      forget(event.xdestroywindow.window);
      dirty->erase(event.xdestroywindow.window);
    }
  }
}

}  // namespace

PlaceholderPainter::PlaceholderPainter(PlaceholderBoard* board)
    : board_(board) {}

PlaceholderPainter::~PlaceholderPainter() { Stop(); }

void PlaceholderPainter::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (thread_.joinable())
    return;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
    return;
  wake_read_ = fds[0];
  wake_write_ = fds[1];
  stopping_ = false;
  thread_ = std::thread([this] { Run(); });
  int write_end = wake_write_;
  board_->SetWakeup([write_end] { Wake(write_end); });
}

void PlaceholderPainter::Stop() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!thread_.joinable())
    return;
  // After this no thread writes to the pipe but this one.
  board_->SetWakeup(nullptr);
  stopping_ = true;
  Wake(wake_write_);
  thread_.join();
  close(wake_read_);
  close(wake_write_);
  wake_read_ = wake_write_ = -1;
}

void PlaceholderPainter::Run() {
  zubrix::x11::EventConnection connection;
  Display* display = connection.display();
  pollfd wake{wake_read_, POLLIN, 0};
  if (!display) {
    // Nothing can be shown; wait to be stopped.
    while (!stopping_) {
      poll(&wake, 1, -1);
      Drain(wake_read_);
    }
    return;
  }
  PlaceholderCanvas canvas(display);
  auto handle = [](Window window) {
    return zubrix::x11::HandleFromWindow(window);
  };
  std::function<void(Window)> forget = [&](Window window) {
    canvas.Drop(window);
    board_->Forget(handle(window));
  };
  std::set<Window> dirty;
  Clock::time_point last_paint;
  while (!stopping_ && !connection.lost()) {
    Drain(wake_read_);
    PlaceholderBoard::Changes changes = board_->TakeChanges();
    for (HWND opened : changes.opened) {
      Window window = zubrix::x11::WindowFromHandle(opened);
      if (canvas.Watch(window))
        dirty.insert(window);
      else
        board_->Forget(opened);
    }
    for (HWND changed : changes.changed)
      dirty.insert(zubrix::x11::WindowFromHandle(changed));

    ReadEvents(display, &dirty, forget);

    int timeout_ms = -1;
    if (!dirty.empty()) {
      Clock::time_point due = last_paint + kRepaintInterval;
      Clock::time_point now = Clock::now();
      if (now >= due) {
        for (Window window : dirty) {
          std::optional<PlaceholderState> state =
              board_->StateOf(handle(window));
          std::optional<PlaceholderText> text;
          if (state)
            text = canvas.Paint(window, *state);
          if (text)
            board_->RecordPainted(handle(window), *text);
          else
            forget(window);
        }
        dirty.clear();
        last_paint = now;
      } else {
        timeout_ms = static_cast<int>(
            std::chrono::ceil<std::chrono::milliseconds>(due - now).count());
      }
    }
    XFlush(display);
    // Events read along with the replies of this round wait in Xlib's
    // queue, where polling the socket would not see them.
    if (XEventsQueued(display, QueuedAlready) > 0)
      continue;
    pollfd fds[] = {wake, {ConnectionNumber(display), POLLIN, 0}};
    poll(fds, 2, timeout_ms);
  }
}

}  // namespace cefsim
