#include "platform/win32_window.h"

// Before Xlib, whose macros None and Bool clash with names of GoogleTest's.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/x11/x11_windows.h"
#include "tests/cpp/platform/x11_test_fixture.h"

namespace {

using zubrix::x11::CreateChildWindow;
using zubrix::x11::CreateTopLevelWindow;
using zubrix::x11::QueryWindow;
using Rect = std::array<long, 4>;

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE;

// The rectangle as GetClientRect leaves it, from a start that is not zero.
Rect ClientRect(HWND window, BOOL* result = nullptr) {
  RECT rect{7, 7, 7, 7};
  BOOL ok = GetClientRect(window, &rect);
  if (result) *result = ok;
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// Every call fails, and GetClientRect clears the rectangle.
bool EveryCallFails(HWND window) {
  BOOL ok = TRUE;
  return !IsWindow(window) && ClientRect(window, &ok) == Rect{} && !ok &&
         !SetWindowPos(window, nullptr, 1, 1, 5, 5, SWP_NOZORDER) &&
         !SetWindowPos(window, nullptr, 0, 0, 0, 0,
                       kKeepPlace | SWP_NOZORDER) &&
         !DestroyWindow(window) &&
         !CreateChildWindow(window, 0, 0, 5, 5, true) &&
         !QueryWindow(window);
}

using Win32WindowTest = X11Test;

TEST_F(Win32WindowTest, ClientRectIsTheWindowsOwnSize) {
  HWND child = Child(10, 20, 320, 240);
  BOOL ok = FALSE;
  EXPECT_EQ(ClientRect(child, &ok), (Rect{0, 0, 320, 240}));
  EXPECT_TRUE(ok);
  EXPECT_FALSE(GetClientRect(child, nullptr));
}

TEST_F(Win32WindowTest, SetWindowPosMovesAndSizesAsOtherClientsSeeAtOnce) {
  HWND child = Child(10, 20, 100, 100);
  ASSERT_TRUE(SetWindowPos(child, nullptr, 30, 40, 150, 60, SWP_NOZORDER));
  EXPECT_EQ(ClientRect(child), (Rect{0, 0, 150, 60}));
  EXPECT_EQ(Observed(child), (Geometry{30, 40, 150, 60}));

  ASSERT_TRUE(SetWindowPos(child, nullptr, 1, 2, 999, 999,
                           SWP_NOZORDER | SWP_NOSIZE));
  EXPECT_EQ(Observed(child), (Geometry{1, 2, 150, 60}));
  ASSERT_TRUE(SetWindowPos(child, nullptr, 999, 999, 70, 80,
                           SWP_NOZORDER | SWP_NOMOVE));
  EXPECT_EQ(Observed(child), (Geometry{1, 2, 70, 80}));
}

TEST_F(Win32WindowTest, StackingChangesOnlyWithoutNoZOrder) {
  HWND a = Child(0, 0, 50, 50);
  HWND b = Child(10, 10, 50, 50);
  HWND c = Child(20, 20, 50, 50);
  using Order = std::vector<HWND>;
  ASSERT_EQ(ChildrenOf(host_), (Order{a, b, c}));

  ASSERT_TRUE(SetWindowPos(a, nullptr, 5, 5, 60, 60, SWP_NOZORDER));
  EXPECT_EQ(ChildrenOf(host_), (Order{a, b, c}));
  // Null is the top; a window is the one to go right behind.
  ASSERT_TRUE(SetWindowPos(a, nullptr, 0, 0, 0, 0, kKeepPlace));
  EXPECT_EQ(ChildrenOf(host_), (Order{b, c, a}));
  ASSERT_TRUE(SetWindowPos(a, b, 0, 0, 0, 0, kKeepPlace));
  EXPECT_EQ(ChildrenOf(host_), (Order{a, b, c}));
  EXPECT_EQ(Observed(a), (Geometry{5, 5, 60, 60}));

  EXPECT_FALSE(SetWindowPos(a, host_, 0, 0, 0, 0, kKeepPlace));
  EXPECT_EQ(ChildrenOf(host_), (Order{a, b, c}));
}

TEST_F(Win32WindowTest, ValuesBeyondWhatXCarriesArePinnedNotWrapped) {
  HWND child = Child(0, 0, 50, 50);
  EXPECT_TRUE(SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOZORDER));
  EXPECT_EQ(Observed(child), (Geometry{0, 0, 1, 1}));
  EXPECT_TRUE(SetWindowPos(child, nullptr, 3, 4, -5, 30, SWP_NOZORDER));
  EXPECT_EQ(Observed(child), (Geometry{3, 4, 1, 30}));
  EXPECT_TRUE(SetWindowPos(child, nullptr, 40000, -40000, 70000, INT_MIN,
                           SWP_NOZORDER));
  EXPECT_EQ(Observed(child), (Geometry{32767, -32768, 65535, 1}));
  EXPECT_EQ(ClientRect(child), (Rect{0, 0, 65535, 1}));
}

TEST_F(Win32WindowTest, HandlesThatNameNoWindowFailWithoutHarm) {
  HWND live = Child(0, 0, 10, 10);
  HWND destroyed = Child(0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(destroyed));
  Pixmap pixmap = XCreatePixmap(observer_, Id(host_), 4, 4,
                                DefaultDepth(observer_, 0));
  XSync(observer_, False);
  const HWND bad_handles[] = {
      nullptr,
      destroyed,
      Handle(0x1FFFFFF0),                          // no client owns it
      Handle(Id(live) | (uintptr_t{1} << 32)),     // live's id in its low bits
      Handle(static_cast<uintptr_t>(intptr_t{-1})),
      Handle(pixmap),                              // a resource, not a window
  };
  for (HWND bad : bad_handles) {
    SCOPED_TRACE(reinterpret_cast<uintptr_t>(bad));
    EXPECT_TRUE(EveryCallFails(bad));
    // Each failure is charged to its own call alone.
    EXPECT_TRUE(SetWindowPos(live, nullptr, 1, 2, 3, 4, SWP_NOZORDER));
    EXPECT_EQ(ClientRect(live), (Rect{0, 0, 3, 4}));
  }
  EXPECT_FALSE(SetWindowPos(live, destroyed, 0, 0, 0, 0, kKeepPlace));
  EXPECT_TRUE(IsWindow(live));
  XFreePixmap(observer_, pixmap);
}

TEST_F(Win32WindowTest, RootWindowIsTheDesktopThatStaysPut) {
  HWND root = Root();
  EXPECT_TRUE(IsWindow(root));
  EXPECT_EQ(ClientRect(root), (Rect{0, 0, DisplayWidth(observer_, 0),
                                    DisplayHeight(observer_, 0)}));
  EXPECT_FALSE(SetWindowPos(root, nullptr, 0, 0, 10, 10, SWP_NOZORDER));
  EXPECT_FALSE(DestroyWindow(root));
}

TEST_F(Win32WindowTest, DestroyedWindowIsGoneWithItsChildrenForEveryClient) {
  HWND child = Child(0, 0, 100, 100);
  HWND grandchild = CreateChildWindow(child, 0, 0, 10, 10, true);
  ASSERT_NE(grandchild, nullptr);
  ASSERT_TRUE(DestroyWindow(child));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
  EXPECT_TRUE(ChildrenOf(host_).empty());
  EXPECT_FALSE(DestroyWindow(child));
}

std::vector<HWND> g_destroyed;

// Uses the windowing calls itself, which it may do once told.
void RecordDestroyed(HWND window) {
  EXPECT_FALSE(IsWindow(window));
  g_destroyed.push_back(window);
}

TEST_F(Win32WindowTest, TheDestroyObserverHearsOfEachWindowDestroyed) {
  g_destroyed.clear();
  zubrix::x11::SetDestroyObserver(RecordDestroyed);
  HWND first = Child(0, 0, 10, 10);
  HWND second = Child(0, 0, 10, 10);
  EXPECT_TRUE(DestroyWindow(first));
  EXPECT_FALSE(DestroyWindow(first));       // Gone already: nothing to tell.
  EXPECT_FALSE(DestroyWindow(Handle(1)));   // Names no window.
  zubrix::x11::SetDestroyObserver(nullptr);
  EXPECT_TRUE(DestroyWindow(second));
  EXPECT_EQ(g_destroyed, std::vector<HWND>{first});
}

XErrorHandler g_handler_before_host = nullptr;
int g_host_errors = 0;

// Counts errors and passes them on to the handler it replaced, as toolkits'
// handlers do.
int HostErrorHandler(Display* display, XErrorEvent* event) {
  ++g_host_errors;
  return g_handler_before_host(display, event);
}

TEST_F(Win32WindowTest, ErrorHandlerThatAHostInstallsLaterGetsOnlyItsOwn) {
  ASSERT_TRUE(IsWindow(host_));
  g_handler_before_host = XSetErrorHandler(&HostErrorHandler);
  HWND destroyed = Child(0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(destroyed));
  EXPECT_FALSE(SetWindowPos(destroyed, nullptr, 1, 1, 5, 5, SWP_NOZORDER));
  EXPECT_FALSE(DestroyWindow(destroyed));
  EXPECT_EQ(g_host_errors, 0);

  XMapWindow(observer_, Id(destroyed));  // The host's own failure.
  XSync(observer_, False);
  EXPECT_EQ(g_host_errors, 1);
  XSetErrorHandler(g_handler_before_host);
}

TEST_F(Win32WindowTest, CallsFromSeveralThreadsAtOnceStayApart) {
  constexpr int kThreads = 4;
  constexpr int kCalls = 200;
  HWND destroyed = Child(0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(destroyed));
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    HWND window = Child(0, 0, 10, 10);
    threads.emplace_back([&wrong, window, destroyed, t] {
      for (int i = 0; i < kCalls; ++i) {
        int size = 1 + i % 50;
        HWND temporary = CreateChildWindow(window, 0, 0, 5, 5, true);
        bool right =
            SetWindowPos(window, nullptr, i, t, size, size + 1, SWP_NOZORDER) &&
            ClientRect(window) == Rect{0, 0, size, size + 1} &&
            !SetWindowPos(destroyed, nullptr, i, t, 5, 5, SWP_NOZORDER) &&
            IsWindow(window) && !IsWindow(destroyed) && temporary &&
            DestroyWindow(temporary);
        if (!right) ++wrong;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

// These start with a connection of their own, so they run in a fresh process.
class Win32WindowWithoutServerTest : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(Win32WindowWithoutServerTest, EveryCallFailsWhenNoServerIsReachable) {
  EXPECT_EXIT(
      {
        unsetenv("DISPLAY");
        std::exit(EveryCallFails(Handle(0x200001)) ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EXIT(
      {
        setenv("DISPLAY", ":9999", 1);
        std::exit(EveryCallFails(Handle(0x200001)) ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

// Starts an X server of its own, makes a window there, stops the server and
// checks the calls that follow. Returns the exit status the test expects.
int CallsAfterTheServerWentAway() {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return 2;
  pid_t server = fork();
  if (server == 0) {
    std::string fd = std::to_string(pipe_ends[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp",
           nullptr);
    _exit(127);
  }
  close(pipe_ends[1]);
  char number[16] = {};
  ssize_t length = read(pipe_ends[0], number, sizeof number - 1);
  close(pipe_ends[0]);
  HWND window = nullptr;
  if (length > 0) {
    setenv("DISPLAY", (":" + std::string(number, length - 1)).c_str(), 1);
    window = CreateTopLevelWindow(nullptr, "doomed", 0, 0, 50, 50, true);
  }
  bool made = IsWindow(window);
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  if (!made) return 3;
  return EveryCallFails(window) ? 0 : 1;
}

TEST_F(Win32WindowWithoutServerTest, CallsFailOnceTheServerHasGone) {
  if (std::system("command -v Xvfb >/dev/null") != 0) {
    GTEST_SKIP() << "no Xvfb to start";
  }
  // Status 3: no private server could be started in this environment (some
  // sandboxes refuse a second X server); that says nothing about our code.
  EXPECT_EXIT(std::exit(CallsAfterTheServerWentAway()),
              [](int status) {
                return WIFEXITED(status) &&
                       (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 3);
              },
              "");
}

}  // namespace
