// GetAncestor and a posted WM_CLOSE: a window that takes part in the
// WM_DELETE_WINDOW protocol hears a close request as from a window manager;
// any other is destroyed, as Windows' default window procedure does.
#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <chrono>
#include <thread>

#include "tests/cpp/platform/x11_test_fixture.h"

namespace {

using CloseRequestTest = X11Test;

TEST_F(CloseRequestTest, RootAncestorIsTheTopLevelWindow) {
  HWND child = Child(0, 0, 50, 50);
  HWND grandchild = zubrix::x11::CreateChildWindow(child, 0, 0, 10, 10, true);
  ASSERT_NE(grandchild, nullptr);
  EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), host_);
  EXPECT_EQ(GetAncestor(child, GA_ROOT), host_);
  EXPECT_EQ(GetAncestor(host_, GA_ROOT), host_);
  EXPECT_EQ(GetAncestor(Root(), GA_ROOT), nullptr);
  EXPECT_EQ(GetAncestor(nullptr, GA_ROOT), nullptr);
  DestroyWindow(child);
  EXPECT_EQ(GetAncestor(grandchild, GA_ROOT), nullptr);
}

TEST_F(CloseRequestTest, WindowTakingDeleteWindowGetsTheRequestAndStays) {
  // Made by the test's own connection, which then receives the message.
  Window toolkit = XCreateSimpleWindow(observer_, DefaultRootWindow(observer_),
                                       0, 0, 100, 100, 0, 0, 0);
  Atom protocols = XInternAtom(observer_, "WM_PROTOCOLS", False);
  Atom delete_window = XInternAtom(observer_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(observer_, toolkit, &delete_window, 1);
  XSync(observer_, False);

  ASSERT_TRUE(PostMessage(Handle(toolkit), WM_CLOSE, 0, 0));
  XEvent event{};
  bool received = false;
  for (int i = 0; i < 500 && !received; ++i) {
    received = XCheckTypedWindowEvent(observer_, toolkit, ClientMessage, &event);
    if (!received) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(received);
  EXPECT_EQ(event.xclient.message_type, protocols);
  EXPECT_EQ(event.xclient.format, 32);
  EXPECT_EQ(static_cast<Atom>(event.xclient.data.l[0]), delete_window);
  EXPECT_TRUE(IsWindow(Handle(toolkit)));
  XDestroyWindow(observer_, toolkit);
  XSync(observer_, False);
}

TEST_F(CloseRequestTest, OtherWindowsAreDestroyedWithTheirChildren) {
  HWND child = Child(0, 0, 50, 50);
  ASSERT_TRUE(PostMessage(GetAncestor(child, GA_ROOT), WM_CLOSE, 0, 0));
  EXPECT_FALSE(IsWindow(host_));
  EXPECT_FALSE(IsWindow(child));
  host_ = nullptr;
}

TEST_F(CloseRequestTest, OnlyCloseRequestsToWindowsArePosted) {
  EXPECT_FALSE(PostMessage(host_, WM_CLOSE + 1, 0, 0));
  EXPECT_FALSE(PostMessage(Root(), WM_CLOSE, 0, 0));
  EXPECT_FALSE(PostMessage(nullptr, WM_CLOSE, 0, 0));
  EXPECT_TRUE(IsWindow(host_));
}

}  // namespace
