// What the stand-in paints into browser windows in place of pages, looked at
// through the inspection API and through an X connection of the test's own.
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "browser_fixture.h"
#include "include/cef_scheme.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
// After GoogleTest, whose names Xlib's macros None and Bool clash with.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using cefsim_inspect::PlaceholderRecord;
using Lines = std::vector<std::string>;

// Waits up to 10 s for the browser's placeholder to satisfy |done|; the
// last one seen either way.
std::optional<PlaceholderRecord> WaitPlaceholder(
    int browser_id, std::function<bool(const PlaceholderRecord&)> done) {
  std::optional<PlaceholderRecord> record;
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < until) {
    record = cefsim_inspect::Placeholder(browser_id);
    if (record && done(*record))
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return record;
}

bool Shows(const PlaceholderRecord& record, const std::string& line) {
  return std::find(record.lines.begin(), record.lines.end(), line) !=
         record.lines.end();
}

// Pages of the "held" scheme whose body waits until the test lets it through.
class HeldPage : public CefResourceHandler, public CefSchemeHandlerFactory {
 public:
  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser>,
                                       CefRefPtr<CefFrame>, const CefString&,
                                       CefRefPtr<CefRequest>) override {
    return this;
  }
  bool ProcessRequest(CefRefPtr<CefRequest>,
                      CefRefPtr<CefCallback> callback) override {
    std::lock_guard<std::mutex> lock(mutex_);
    if (let_through_)
      callback->Continue();
    else
      callback_ = callback;
    return true;
  }
  void GetResponseHeaders(CefRefPtr<CefResponse> response, int64& length,
                          CefString&) override {
    response->SetStatus(200);
    response->SetMimeType("text/html");
    length = static_cast<int64>(body_.size());
  }
  bool ReadResponse(void* out, int bytes_to_read, int& bytes_read,
                    CefRefPtr<CefCallback>) override {
    bytes_read = std::min<int>(bytes_to_read, static_cast<int>(body_.size() - read_));
    std::memcpy(out, body_.data() + read_, bytes_read);
    read_ += bytes_read;
    return bytes_read > 0;
  }
  void Cancel() override {}

  // The request may not have arrived yet.
  void LetThrough() {
    std::lock_guard<std::mutex> lock(mutex_);
    let_through_ = true;
    if (callback_)
      callback_->Continue();
    callback_ = nullptr;
  }

 private:
  const std::string body_ = "<title>Held</title>";
  size_t read_ = 0;  // IO thread only.
  std::mutex mutex_;
  bool let_through_ = false;
  CefRefPtr<CefCallback> callback_;
  IMPLEMENT_REFCOUNTING(HeldPage);
};

class PlaceholderTest : public BrowserTest {
 protected:
  void SetUp() override {
    BrowserTest::SetUp();
    observer_ = XOpenDisplay(nullptr);
    ASSERT_NE(observer_, nullptr);
  }
  void TearDown() override {
    if (observer_)
      XCloseDisplay(observer_);
    BrowserTest::TearDown();
  }

  // The window's pixels as the server holds them.
  std::vector<unsigned long> Pixels(HWND window) {
    Window id = static_cast<Window>(reinterpret_cast<uintptr_t>(window));
    XWindowAttributes attributes;
    XGetWindowAttributes(observer_, id, &attributes);
    XImage* image = XGetImage(observer_, id, 0, 0, attributes.width,
                              attributes.height, AllPlanes, ZPixmap);
    std::vector<unsigned long> pixels;
    for (int y = 0; image && y < attributes.height; ++y) {
      for (int x = 0; x < attributes.width; ++x)
        pixels.push_back(XGetPixel(image, x, y));
    }
    if (image)
      XDestroyImage(image);
    return pixels;
  }

  Display* observer_ = nullptr;
};

TEST_F(PlaceholderTest, ShowsUrlTitleLoadingStateAndLatestConsoleLines) {
  CefRefPtr<HeldPage> held = new HeldPage();
  ASSERT_TRUE(CefRegisterSchemeHandlerFactory("held", "", held.get()));
  CefRefPtr<CefBrowser> browser = Create("held:page", 0, 0, 640, 240);
  ASSERT_TRUE(browser);
  int id = browser->GetIdentifier();
  std::optional<PlaceholderRecord> shown = WaitPlaceholder(
      id, [](const auto& r) { return Shows(r, "State:  loading..."); });
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->lines,
            (Lines{"cefsim: page not drawn (placeholder)", "URL:    held:page",
                   "Title:  (none)", "State:  loading...",
                   "Console: nothing logged"}));
  held->LetThrough();
  shown = WaitPlaceholder(id, [](const auto& r) {
    return Shows(r, "State:  loaded") && Shows(r, "Title:  Held");
  });
  EXPECT_TRUE(Shows(*shown, "State:  loaded") && Shows(*shown, "Title:  Held"))
      << testing::PrintToString(shown->lines);

  std::string page = WriteFile(
      "page.html",
      "<title>From the document</title>"
      "<script>for (var i = 1; i <= 20; ++i) console.log('line ' + i);"
      "</script>");
  browser->GetMainFrame()->LoadURL(page);
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->ExecuteJavaScript(
      "document.title = 'Set by \\u00e9 script'; console.log('last\\nline');",
      "", 1);
  shown = WaitPlaceholder(id, [](const auto& r) {
    return !r.lines.empty() && r.lines.back() == "  last line";
  });
  // 240 pixels high holds 13 lines of the built-in font below the heading.
  ASSERT_GE(shown->lines.size(), 8u) << testing::PrintToString(shown->lines);
  EXPECT_EQ(shown->lines[1], "URL:    " + page);
  EXPECT_EQ(shown->lines[2], u8"Title:  Set by é script");
  EXPECT_EQ(shown->lines[3], "State:  loaded");
  size_t console_shown = shown->lines.size() - 5;
  EXPECT_EQ(shown->lines[4], "Console (last " + std::to_string(console_shown) +
                                 " of 21 lines):");
  EXPECT_EQ(shown->lines[shown->lines.size() - 2], "  line 20");
}

// As CefBrowserHostImpl::DidAddMessageToConsole: each message reaches the
// display handler with its source and line, and true keeps it out of the
// console's output (the window's console lines) but not out of the record.
TEST_F(PlaceholderTest, DisplayHandlerHearsEveryConsoleMessageAndMayKeepItOut) {
  std::string page = WriteFile(
      "console.html",
      "<script>\nconsole.log('shown');\n</script>\n<script>nope();</script>");
  CefRefPtr<CefBrowser> browser = Create(page, 0, 0, 640, 240);
  ASSERT_TRUE(browser);
  ASSERT_TRUE(client_->WaitForCount("console ", 2));
  Lines heard = client_->Lines("console ");
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0], "console " + page + ":2 shown");
  const std::string uncaught = "console " + page + ":4 Uncaught ReferenceError: ";
  EXPECT_EQ(heard[1].compare(0, uncaught.size(), uncaught), 0) << heard[1];
  const std::string error_line = "  " + heard[1].substr(heard[1].find("Uncaught"));
  int id = browser->GetIdentifier();
  auto shows_both = [&error_line](const PlaceholderRecord& r) {
    return Shows(r, "  shown") && Shows(r, error_line);
  };
  EXPECT_TRUE(shows_both(*WaitPlaceholder(id, shows_both)));

  client_->handles_console = true;
  browser->GetMainFrame()->ExecuteJavaScript("\nconsole.log('kept out');",
                                             page, 7);
  ASSERT_TRUE(client_->WaitFor("console " + page + ":8 kept out"));
  // The record of each message is made before the handler hears of it.
  EXPECT_EQ(Console(browser).back(), "kept out");
  client_->handles_console = false;
  browser->GetMainFrame()->ExecuteJavaScript("console.log('after');", "", 1);
  std::optional<PlaceholderRecord> shown = WaitPlaceholder(
      id, [](const PlaceholderRecord& r) { return Shows(r, "  after"); });
  EXPECT_TRUE(Shows(*shown, "  after"));
  EXPECT_FALSE(Shows(*shown, "  kept out"));
}

TEST_F(PlaceholderTest, ExposedWindowIsPaintedAgainAsItWas) {
  CefRefPtr<CefBrowser> browser =
      Create("data:text/html,<title>Exposed</title>", 0, 0, 200, 120);
  ASSERT_TRUE(browser && WaitLoaded(browser));
  int id = browser->GetIdentifier();
  std::optional<PlaceholderRecord> shown = WaitPlaceholder(id, [](const auto& r) {
    return Shows(r, "Title:  Exposed") && Shows(r, "State:  loaded");
  });
  ASSERT_TRUE(shown && Shows(*shown, "State:  loaded"));
  // Once the lines are final every paint draws the same; a read that no
  // paint ended during, and that a second read confirms, is what shows.
  HWND window = browser->GetHost()->GetWindowHandle();
  std::vector<unsigned long> painted;
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    const int paints_before = cefsim_inspect::Placeholder(id)->paints;
    painted = Pixels(window);
    if (!painted.empty() && Pixels(window) == painted &&
        cefsim_inspect::Placeholder(id)->paints == paints_before)
      break;
    ASSERT_LT(std::chrono::steady_clock::now(), until);
  }

  // Another client scribbles over the window, then has the server expose
  // it. A paint still due from before may undo the scribble: then again.
  Window id_x = static_cast<Window>(reinterpret_cast<uintptr_t>(window));
  int paints_scribbled = 0;
  do {
    ASSERT_LT(std::chrono::steady_clock::now(), until);
    paints_scribbled = cefsim_inspect::Placeholder(id)->paints;
    GC gc = XCreateGC(observer_, id_x, 0, nullptr);
    XSetForeground(observer_, gc, BlackPixel(observer_, 0));
    XFillRectangle(observer_, id_x, gc, 0, 0, 200, 120);
    XFreeGC(observer_, gc);
    XSync(observer_, False);
  } while (Pixels(window) == painted);
  XClearArea(observer_, id_x, 0, 0, 0, 0, True);
  XSync(observer_, False);

  until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  bool repainted = false;
  while (!repainted && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    repainted = Pixels(window) == painted &&
                cefsim_inspect::Placeholder(id)->paints > paints_scribbled;
  }
  EXPECT_TRUE(repainted);
}

TEST_F(PlaceholderTest, WindowDestroyedWhilePaintingIsForgottenQuietly) {
  // The page logs without pause, so the painter keeps drawing.
  CefRefPtr<CefBrowser> busy = Create(
      "data:text/html,<script>function tick(n) { console.log('tick ' + n); "
      "setTimeout(tick, 1, n + 1); } tick(0);</script>");
  ASSERT_TRUE(busy);
  int id = busy->GetIdentifier();
  ASSERT_TRUE(WaitPlaceholder(id, [](const auto& r) { return r.paints > 3; }));
  ASSERT_TRUE(DestroyWindow(busy->GetHost()->GetWindowHandle()));
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (cefsim_inspect::Placeholder(id) &&
         std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(cefsim_inspect::Placeholder(id));

  // The painter carries on with other windows.
  CefRefPtr<CefBrowser> next =
      Create("data:text/html,<title>Next</title>", 0, 0, 320, 120);
  ASSERT_TRUE(next);
  std::optional<PlaceholderRecord> shown = WaitPlaceholder(
      next->GetIdentifier(),
      [](const auto& r) { return Shows(r, "Title:  Next"); });
  EXPECT_TRUE(shown && Shows(*shown, "Title:  Next"));
}

TEST_F(PlaceholderTest, DeveloperToolsNameTheInspectedPage) {
  std::string first = "data:text/html,<title>first</title>";
  CefRefPtr<CefBrowser> inspected = Create(first);
  ASSERT_TRUE(inspected && WaitLoaded(inspected));
  CefWindowInfo popup;
  popup.SetAsPopup(host_, "DevTools");
  popup.width = 480;
  popup.height = 120;
  inspected->GetHost()->ShowDevTools(popup, client_.get(), CefBrowserSettings(),
                                     CefPoint());
  RunOnUi([] {});
  std::vector<cefsim_inspect::BrowserRecord> records =
      cefsim_inspect::Browsers();
  ASSERT_EQ(records.size(), 2u);
  int devtools = records[1].id;
  std::optional<PlaceholderRecord> shown = WaitPlaceholder(
      devtools, [&](const auto& r) { return r.lines.size() == 2; });
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->lines,
            (Lines{"cefsim: developer tools not drawn (placeholder)",
                   "Developer tools for " + first}));

  std::string second = "data:text/html,<title>second</title>";
  inspected->GetMainFrame()->LoadURL(second);
  shown = WaitPlaceholder(devtools, [&](const auto& r) {
    return Shows(r, "Developer tools for " + second);
  });
  EXPECT_TRUE(Shows(*shown, "Developer tools for " + second))
      << testing::PrintToString(shown->lines);
}

}  // namespace
