// Tests of the windowing layer run against a real X server (Xvfb) and look at
// the result through a connection of their own, as any other client would.
#ifndef ZUBRIX_TESTS_CPP_PLATFORM_X11_TEST_FIXTURE_H_
#define ZUBRIX_TESTS_CPP_PLATFORM_X11_TEST_FIXTURE_H_

// Before Xlib, whose macros None and Bool clash with names of GoogleTest's.
#include <gtest/gtest.h>
#include <X11/Xlib.h>

#include <array>
#include <cstdint>
#include <vector>

#include "platform/win32_window.h"
#include "platform/x11/x11_windows.h"

using Geometry = std::array<long, 4>;  // x, y, width, height

inline Window Id(HWND window) {
  return static_cast<Window>(reinterpret_cast<uintptr_t>(window));
}
inline HWND Handle(uintptr_t id) { return reinterpret_cast<HWND>(id); }

class X11Test : public testing::Test {
 protected:
  void SetUp() override {
    observer_ = XOpenDisplay(nullptr);
    if (!observer_) GTEST_SKIP() << "no X server reachable";
    host_ = zubrix::x11::CreateTopLevelWindow(nullptr, "host", 0, 0, 640, 480,
                                              true);
    ASSERT_NE(host_, nullptr);
  }

  void TearDown() override {
    if (host_) DestroyWindow(host_);
    if (observer_) XCloseDisplay(observer_);
  }

  HWND Child(int x, int y, int width, int height) {
    return zubrix::x11::CreateChildWindow(host_, x, y, width, height, true);
  }

  HWND Root() const { return Handle(DefaultRootWindow(observer_)); }

  // Only for windows that exist: the observer keeps Xlib's error handling.
  Geometry Observed(HWND window) const {
    Window root;
    int x, y;
    unsigned width, height, border, depth;
    XGetGeometry(observer_, Id(window), &root, &x, &y, &width, &height,
                 &border, &depth);
    return {x, y, width, height};
  }

  // Bottom to top.
  std::vector<HWND> ChildrenOf(HWND window) const {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    XQueryTree(observer_, Id(window), &root, &parent, &children, &count);
    std::vector<HWND> result;
    for (unsigned i = 0; i < count; ++i) result.push_back(Handle(children[i]));
    if (children) XFree(children);
    return result;
  }

  Display* observer_ = nullptr;
  HWND host_ = nullptr;
};

#endif  // ZUBRIX_TESTS_CPP_PLATFORM_X11_TEST_FIXTURE_H_
