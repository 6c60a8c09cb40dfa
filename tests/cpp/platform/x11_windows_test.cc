#include "platform/x11/x11_windows.h"

// Before Xlib, whose macros None and Bool clash with names of GoogleTest's.
#include <gtest/gtest.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

#include "tests/cpp/platform/x11_test_fixture.h"

namespace {

using zubrix::x11::CreateChildWindow;
using zubrix::x11::CreateTopLevelWindow;
using zubrix::x11::QueryWindow;
using zubrix::x11::WindowState;

Geometry GeometryOf(const WindowState& state) {
  return {state.x, state.y, state.width, state.height};
}

class X11WindowsTest : public X11Test {
 protected:
  std::string ObservedNetWmName(HWND window) const {
    Atom utf8_string = XInternAtom(observer_, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long length, remaining;
    unsigned char* data = nullptr;
    XGetWindowProperty(observer_, Id(window),
                       XInternAtom(observer_, "_NET_WM_NAME", False), 0, 1024,
                       False, utf8_string, &type, &format, &length, &remaining,
                       &data);
    std::string name = data ? reinterpret_cast<char*>(data) : "";
    if (data) XFree(data);
    return name;
  }
};

TEST_F(X11WindowsTest, ChildWindowSitsInItsParentWhereItWasPut) {
  HWND shown = CreateChildWindow(host_, 10, 20, 300, 200, true);
  HWND hidden = CreateChildWindow(host_, 0, 0, 30, 20, false);
  HWND defaulted =
      CreateChildWindow(host_, CW_USEDEFAULT, 5, CW_USEDEFAULT, 7, true);
  ASSERT_EQ(ChildrenOf(host_), (std::vector<HWND>{shown, hidden, defaulted}));

  std::optional<WindowState> state = QueryWindow(shown);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->parent, host_);
  EXPECT_EQ(state->owner, nullptr);
  EXPECT_EQ(GeometryOf(*state), (Geometry{10, 20, 300, 200}));
  EXPECT_EQ(Observed(shown), (Geometry{10, 20, 300, 200}));
  EXPECT_TRUE(state->visible);
  EXPECT_FALSE(QueryWindow(hidden)->visible);
  EXPECT_EQ(Observed(defaulted), (Geometry{0, 0, 1, 1}));
}

TEST_F(X11WindowsTest, NoWindowForAParentOrOwnerThatIsNotAWindow) {
  HWND destroyed = Child(0, 0, 10, 10);
  ASSERT_TRUE(DestroyWindow(destroyed));
  for (HWND bad : {HWND{}, destroyed, Handle(0x1FFFFFF0)}) {
    EXPECT_EQ(CreateChildWindow(bad, 0, 0, 10, 10, true), nullptr);
    EXPECT_FALSE(QueryWindow(bad));
  }
  EXPECT_EQ(CreateTopLevelWindow(destroyed, "t", 0, 0, 10, 10, true), nullptr);
  EXPECT_TRUE(ChildrenOf(host_).empty());
}

TEST_F(X11WindowsTest, OwnedTopLevelWindowIsTitledAndTransientForItsOwner) {
  HWND devtools =
      CreateTopLevelWindow(host_, "DevTools", CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, true);
  std::optional<WindowState> state = QueryWindow(devtools);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->parent, Root());
  EXPECT_EQ(state->owner, host_);
  EXPECT_EQ(state->title, "DevTools");
  EXPECT_TRUE(state->visible);

  Window owner = None;
  XGetTransientForHint(observer_, Id(devtools), &owner);
  EXPECT_EQ(owner, Id(host_));
  char* name = nullptr;
  XFetchName(observer_, Id(devtools), &name);
  EXPECT_STREQ(name, "DevTools");
  if (name) XFree(name);
  EXPECT_EQ(ObservedNetWmName(devtools), "DevTools");
}

TEST_F(X11WindowsTest, DefaultGeometryCentresThreeQuartersOfTheScreen) {
  const long width = DisplayWidth(observer_, 0);
  const long height = DisplayHeight(observer_, 0);
  HWND defaulted = CreateTopLevelWindow(nullptr, "", CW_USEDEFAULT, 1,
                                        CW_USEDEFAULT, 1, false);
  const long default_width = width * 3 / 4;
  const long default_height = height * 3 / 4;
  EXPECT_EQ(Observed(defaulted),
            (Geometry{(width - default_width) / 2,
                      (height - default_height) / 2, default_width,
                      default_height}));
  HWND placed_by_default =
      CreateTopLevelWindow(nullptr, "", CW_USEDEFAULT, 1, 200, 100, false);
  EXPECT_EQ(Observed(placed_by_default),
            (Geometry{(width - 200) / 2, (height - 100) / 2, 200, 100}));
  std::optional<WindowState> state = QueryWindow(placed_by_default);
  ASSERT_TRUE(state);
  EXPECT_EQ(state->owner, nullptr);
  EXPECT_FALSE(state->visible);
  DestroyWindow(defaulted);
  DestroyWindow(placed_by_default);
}

TEST_F(X11WindowsTest, TitleIsReadBackWhicheverWayItWasSet) {
  const std::string title = "Outils – développeur ✓";
  HWND window = CreateTopLevelWindow(nullptr, title, 5, 6, 70, 80, false);
  EXPECT_EQ(QueryWindow(window)->title, title);
  EXPECT_EQ(ObservedNetWmName(window), title);

  // Another client naming it the old way only.
  XDeleteProperty(observer_, Id(window),
                  XInternAtom(observer_, "_NET_WM_NAME", False));
  XStoreName(observer_, Id(window), "Plain");
  XSync(observer_, False);
  EXPECT_EQ(QueryWindow(window)->title, "Plain");
  DestroyWindow(window);
}

}  // namespace
