// How a browser closes, as CefBrowserHostImpl::CloseBrowser, TryCloseBrowser
// and CloseContents go: the client's DoClose may keep it, else WM_CLOSE goes
// to the top-level window (CefBrowserPlatformDelegateNativeWin::
// CloseHostWindow); a page's window.close() takes the same way when Blink lets
// it through.
#include <chrono>
#include <thread>

// Before Xlib, whose macros None and Bool clash with names of GoogleTest's.
#include "browser_fixture.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

#include <X11/Xlib.h>

namespace {

std::string Id(CefRefPtr<CefBrowser> browser) {
  return std::to_string(browser->GetIdentifier());
}

TEST_F(BrowserTest, PageCloseWithoutDoCloseGoesToTheTopLevelWindow_AsCloseContents) {
  CefRefPtr<CefBrowser> browser = Create("data:text/html,<p>page</p>");
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->ExecuteJavaScript("window.close()", "", 1);
  ASSERT_TRUE(client_->WaitFor("do_close " + Id(browser)));
  // The host window here has the default window procedure, which destroys
  // it on WM_CLOSE, and the browser with it.
  ASSERT_TRUE(client_->WaitFor("before_close " + Id(browser)));
  EXPECT_FALSE(IsWindow(host_));
}

TEST_F(BrowserTest, AToolkitTopLevelWindowHearsTheCloseRequestAndTheBrowserStays) {
  Display* toolkit = XOpenDisplay(nullptr);
  ASSERT_NE(toolkit, nullptr);
  Window top = XCreateSimpleWindow(toolkit, DefaultRootWindow(toolkit), 0, 0,
                                   200, 200, 0, 0, 0);
  Atom delete_window = XInternAtom(toolkit, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(toolkit, top, &delete_window, 1);
  XSync(toolkit, False);
  HWND top_handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(top));
  CefRefPtr<CefBrowser> browser;
  RunOnUi([&]() {
    CefWindowInfo info;
    info.SetAsChild(top_handle, RECT{0, 0, 100, 100});
    browser = CefBrowserHost::CreateBrowserSync(
        info, client_.get(), "data:text/html,<p>in a toolkit window</p>",
        CefBrowserSettings(), nullptr);
  });
  ASSERT_TRUE(browser);
  ASSERT_TRUE(WaitLoaded(browser));

  browser->GetMainFrame()->ExecuteJavaScript("window.close()", "", 1);
  XEvent event{};
  bool received = false;
  for (int i = 0; i < 1000 && !received; ++i) {
    received = XCheckTypedWindowEvent(toolkit, top, ClientMessage, &event);
    if (!received) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(received);
  EXPECT_EQ(static_cast<Atom>(event.xclient.data.l[0]), delete_window);
  // Closing is the toolkit's to decide; until then everything stays.
  // Whatever the UI thread was handed by now has been handled after this.
  RunOnUi([] {});
  EXPECT_TRUE(client_->Lines("before_close").empty());
  EXPECT_TRUE(IsWindow(browser->GetHost()->GetWindowHandle()));

  // The toolkit's own connection destroys its window unseen by CEF: the
  // browser is closed first, as an embedder must before CefShutdown.
  CloseAllBrowsers();
  XDestroyWindow(toolkit, top);
  XCloseDisplay(toolkit);
}

TEST_F(BrowserTest, DoCloseReturningTrueKeepsBrowserAndWindows) {
  client_->keeps_on_close = true;
  CefRefPtr<CefBrowser> browser = Create("data:text/html,<p>page</p>");
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->ExecuteJavaScript("window.close()", "", 1);
  ASSERT_TRUE(client_->WaitFor("do_close " + Id(browser)));
  browser->GetHost()->CloseBrowser(true);
  ASSERT_TRUE(client_->WaitForCount("do_close " + Id(browser), 2));
  RunOnUi([] {});
  EXPECT_TRUE(IsWindow(host_));
  EXPECT_TRUE(IsWindow(browser->GetHost()->GetWindowHandle()));
  EXPECT_TRUE(client_->Lines("before_close").empty());
}

TEST_F(BrowserTest, TryCloseBrowserCancelsTheFirstCloseAndAllowsAnAcceptedOne) {
  client_->keeps_on_close = true;
  CefRefPtr<CefBrowser> browser = Create("data:text/html,<p>page</p>");
  RunOnUi([&]() {
    EXPECT_FALSE(browser->GetHost()->TryCloseBrowser());
    // The client kept it: the next attempt starts over.
    EXPECT_FALSE(browser->GetHost()->TryCloseBrowser());
  });
  EXPECT_EQ(client_->Lines("do_close").size(), 2u);
  client_->keeps_on_close = false;
  RunOnUi([&]() { EXPECT_FALSE(browser->GetHost()->TryCloseBrowser()); });
  ASSERT_TRUE(client_->WaitFor("before_close " + Id(browser)));
  RunOnUi([&]() { EXPECT_TRUE(browser->GetHost()->TryCloseBrowser()); });
  EXPECT_EQ(client_->Lines("do_close").size(), 3u);
}

// Blink's rule: only a main frame's window, and only while the browser's
// history has at most one entry.
TEST_F(BrowserTest, PagesMayCloseOnlyAMainFrameWithOneHistoryEntry) {
  client_->keeps_on_close = true;
  std::string child = WriteFile(
      "child.html", "<script>window.close(); console.log('child ran')</script>");
  std::string first = WriteFile("first.html", "<iframe src='child.html'></iframe>");
  std::string second = WriteFile("second.html", "<p>second</p>");
  CefRefPtr<CefBrowser> browser = Create(first);
  ASSERT_TRUE(WaitLoaded(browser));
  RunOnUi([] {});
  EXPECT_TRUE(client_->Lines("do_close").empty());

  browser->GetMainFrame()->LoadURL(second);
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->ExecuteJavaScript(
      "window.close(); console.log('asked')", "", 1);
  auto asked = [&] {
    std::vector<std::string> console = Console(browser);
    return !console.empty() && console.back() == "asked";
  };
  for (int i = 0; i < 500 && !asked(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(asked());
  RunOnUi([] {});
  EXPECT_TRUE(client_->Lines("do_close").empty());

  // Back to the first entry the history still holds two.
  browser->GoBack();
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->ExecuteJavaScript("window.close()", "", 1);
  RunOnUi([] {});
  EXPECT_TRUE(client_->Lines("do_close").empty());
}

TEST_F(BrowserTest, ClosingDevToolsClosesOnlyItsOwnTopLevelWindow_AsCefDevToolsFrontendClose) {
  CefRefPtr<CefBrowser> inspected = Create("data:text/html,<p>page</p>");
  CefWindowInfo info;
  info.SetAsPopup(host_, "DevTools");
  inspected->GetHost()->ShowDevTools(info, client_.get(), CefBrowserSettings(),
                                     CefPoint());
  for (int i = 0; i < 500 && cefsim_inspect::Browsers().size() < 2; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(cefsim_inspect::Browsers().size(), 2u);
  const int devtools_id = cefsim_inspect::Browsers()[1].id;
  inspected->GetHost()->CloseDevTools();
  ASSERT_TRUE(client_->WaitFor("before_close " + std::to_string(devtools_id)));
  EXPECT_EQ(client_->Lines("do_close"),
            std::vector<std::string>{"do_close " + std::to_string(devtools_id)});
  EXPECT_TRUE(IsWindow(host_));
  EXPECT_TRUE(IsWindow(inspected->GetHost()->GetWindowHandle()));
}

}  // namespace
