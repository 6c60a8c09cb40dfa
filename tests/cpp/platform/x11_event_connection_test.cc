// Before Xlib, whose macros None and Bool clash with names of GoogleTest's.
#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include "platform/x11/x11_event_connection.h"
#include "tests/cpp/platform/x11_test_fixture.h"

namespace {

using zubrix::x11::EventConnection;

class EventConnectionTest : public X11Test {};

// Xlib's default error handler would end the test process here.
TEST_F(EventConnectionTest, RequestsAboutDestroyedWindowsFailQuietly) {
  HWND live = Child(0, 0, 10, 10);
  HWND destroyed = Child(0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(destroyed));

  EventConnection connection;
  Display* display = connection.display();
  ASSERT_NE(display, nullptr);
  XSelectInput(display, Id(destroyed), ExposureMask);
  XClearArea(display, Id(destroyed), 0, 0, 0, 0, True);
  XWindowAttributes attributes;
  EXPECT_EQ(XGetWindowAttributes(display, Id(destroyed), &attributes), 0);
  XSync(display, False);
  EXPECT_FALSE(connection.lost());

  // The shared connection still charges failures to its own calls only.
  EXPECT_TRUE(SetWindowPos(live, nullptr, 1, 2, 3, 4, SWP_NOZORDER));
  EXPECT_FALSE(SetWindowPos(destroyed, nullptr, 1, 2, 3, 4, SWP_NOZORDER));
  EXPECT_EQ(Observed(live), (Geometry{1, 2, 3, 4}));
}

TEST_F(EventConnectionTest, SeesEventsItSelectedOnAnotherClientsWindow) {
  HWND child = Child(0, 0, 40, 30);
  EventConnection connection;
  Display* display = connection.display();
  ASSERT_NE(display, nullptr);
  XSelectInput(display, Id(child), ExposureMask | StructureNotifyMask);
  XSync(display, False);
  // Another client's clear with exposures is reported to whoever selected
  // them, as is the window's end.
  XClearArea(observer_, Id(child), 0, 0, 0, 0, True);
  XSync(observer_, False);
  ASSERT_TRUE(DestroyWindow(child));

  XEvent event;
  XNextEvent(display, &event);
  EXPECT_EQ(event.type, Expose);
  EXPECT_EQ(event.xexpose.window, Id(child));
  do {
    XNextEvent(display, &event);  // UnmapNotify comes first.
  } while (event.type != DestroyNotify);
  EXPECT_EQ(event.xdestroywindow.window, Id(child));
}

}  // namespace
