// Creating, inspecting and closing browsers and their windows.
#include <thread>

#include "browser_fixture.h"
#include "include/cef_app.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "platform/x11/x11_windows.h"
#include "test_support/stderr_capture.h"

namespace {

int RenderProcessOf(CefRefPtr<CefBrowser> browser) {
  for (const auto& record : cefsim_inspect::Browsers()) {
    if (record.id == browser->GetIdentifier())
      return record.render_process_pid;
  }
  return -1;
}

// As CefBrowserHostImpl::GetFrame: a browser without a main frame, as a
// closed one, hands out a placeholder, whose calls go nowhere.
void ExpectPlaceholderMainFrame(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefFrame> frame = browser->GetMainFrame();
  ASSERT_TRUE(frame);
  EXPECT_TRUE(frame->IsMain());
  EXPECT_EQ(frame->GetIdentifier(), -4);  // CefFrameHostImpl::kInvalidFrameId
  EXPECT_TRUE(frame->GetURL().empty());
  EXPECT_FALSE(browser->HasDocument());
  frame->ExecuteJavaScript("1", "", 1);
  frame->LoadURL("data:text/plain,x");
}

// Waits up to 2 s for the process to end.
void ExpectProcessEnds(int pid) {
  ASSERT_GT(pid, 0);
  bool alive = true;
  for (int i = 0; i < 200 && alive; ++i) {
    alive = false;
    for (const auto& process : cefsim_inspect::Processes())
      alive |= process.pid == pid && process.alive;
    if (alive)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(alive) << "render process " << pid;
}

TEST_F(BrowserTest, CreateBrowserSyncWorksOnlyOnTheUiThreadAndWithAParent) {
  CefWindowInfo info;
  info.style = WS_CHILD | WS_VISIBLE;
  info.parent_window = host_;
  EXPECT_EQ(CefBrowserHost::CreateBrowserSync(info, client_.get(), "",
                                              CefBrowserSettings(), nullptr),
            nullptr);
  RunOnUi([&]() {
    CefWindowInfo orphan;
    orphan.style = WS_CHILD | WS_VISIBLE;
    orphan.parent_window = reinterpret_cast<HWND>(0x7fff1234);
    EXPECT_EQ(CefBrowserHost::CreateBrowserSync(orphan, client_.get(), "",
                                                CefBrowserSettings(), nullptr),
              nullptr);
  });
  EXPECT_TRUE(cefsim_inspect::Browsers().empty());
}

TEST_F(BrowserTest, BrowsersGetChildWindowsAtTheirGeometryAndIdsFromOne) {
  CefRefPtr<CefBrowser> first = Create("", 10, 20, 300, 200);
  CefRefPtr<CefBrowser> second = Create("", 0, 0, 640, 480);
  ASSERT_TRUE(first && second);
  // Identifiers count up from 1 over the process's life.
  EXPECT_GE(first->GetIdentifier(), 1);
  EXPECT_EQ(second->GetIdentifier(), first->GetIdentifier() + 1);

  HWND window = first->GetHost()->GetWindowHandle();
  auto state = zubrix::x11::QueryWindow(window);
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->parent, host_);
  EXPECT_EQ(state->x, 10);
  EXPECT_EQ(state->y, 20);
  EXPECT_EQ(state->width, 300);
  EXPECT_EQ(state->height, 200);
  EXPECT_TRUE(state->visible);

  EXPECT_TRUE(first->GetHost()->GetBrowser()->IsSame(first));
  EXPECT_EQ(first->GetHost()->GetClient().get(),
            static_cast<CefClient*>(client_.get()));
  EXPECT_TRUE(first->GetHost()->GetRequestContext()->IsGlobal());
  CefRefPtr<CefFrame> main = first->GetMainFrame();
  ASSERT_TRUE(main);
  EXPECT_TRUE(main->IsMain());
  EXPECT_EQ(main->GetParent(), nullptr);
  EXPECT_TRUE(main->GetBrowser()->IsSame(first));
  EXPECT_FALSE(first->IsLoading());  // No URL, no navigation.

  std::vector<cefsim_inspect::BrowserRecord> records =
      cefsim_inspect::Browsers();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].window, window);
  EXPECT_EQ(records[0].window_info.parent_window, host_);
  EXPECT_GT(records[0].render_process_pid, 0);
  EXPECT_NE(records[0].render_process_pid, records[1].render_process_pid);
}

TEST_F(BrowserTest, TheRenderSideLearnsOfEachBrowser) {
  CefRefPtr<CefBrowser> browser = Create("");
  ASSERT_TRUE(client_->WaitFor("message created"));
  CefRefPtr<CefListValue> created = client_->LastMessage("created");
  EXPECT_EQ(created->GetInt(0), browser->GetIdentifier());
  EXPECT_TRUE(created->GetBool(1));  // No host in the render process.
}

TEST_F(BrowserTest, DevToolsOpenOnceInAnOwnedTopLevelWindow) {
  CefRefPtr<CefBrowser> inspected = Create("");
  CefWindowInfo popup;
  popup.SetAsPopup(host_, "DevTools");
  for (int i = 0; i < 2; ++i) {
    inspected->GetHost()->ShowDevTools(popup, client_.get(),
                                       CefBrowserSettings(), CefPoint(3, 4));
    RunOnUi([] {});  // The request runs on the UI thread.
  }
  std::vector<cefsim_inspect::BrowserRecord> records =
      cefsim_inspect::Browsers();
  ASSERT_EQ(records.size(), 2u);
  const auto& devtools = records[1];
  EXPECT_TRUE(devtools.is_devtools);
  EXPECT_EQ(devtools.inspected_browser_id, inspected->GetIdentifier());
  EXPECT_EQ(devtools.inspect_element_at.x, 3);
  auto state = zubrix::x11::QueryWindow(devtools.window);
  ASSERT_TRUE(state.has_value());
  EXPECT_EQ(state->owner, host_);
  EXPECT_EQ(state->title, "DevTools");
  EXPECT_TRUE(inspected->GetHost()->HasDevTools());
  ASSERT_TRUE(cefsim_inspect::WaitLoaded(devtools.id, 10000));
  EXPECT_EQ(cefsim_inspect::Browsers()[1].frames[0].url,
            "chrome-devtools://devtools/inspector.html");

  inspected->GetHost()->CloseDevTools();
  ASSERT_TRUE(client_->WaitFor("before_close " + std::to_string(devtools.id)));
  EXPECT_FALSE(inspected->GetHost()->HasDevTools());
  EXPECT_FALSE(zubrix::x11::QueryWindow(devtools.window).has_value());
}

// CEF expects every browser closed, each reported through OnBeforeClose,
// before CefShutdown (CefContext::FinishShutdownOnUIThread destroys what is
// left; cefclient waits): the stand-in logs how many were still open, and the
// test harnesses fail on that line.
TEST_F(BrowserTest, ShutdownWithBrowsersOpenLogsHowManyWereOpen) {
  CefRefPtr<CefBrowser> first = Create("");
  CefRefPtr<CefBrowser> second = Create("");
  CefRefPtr<CefBrowser> closed = Create("");
  CefWindowInfo popup;
  popup.SetAsPopup(host_, "DevTools");
  first->GetHost()->ShowDevTools(popup, client_.get(), CefBrowserSettings(),
                                 CefPoint());
  RunOnUi([&]() { DestroyWindow(closed->GetHost()->GetWindowHandle()); });
  ASSERT_TRUE(client_->WaitFor("before_close " +
                               std::to_string(closed->GetIdentifier())));
  RunOnUi([] {});  // The developer tools open on the UI thread.
  const std::string logged = test_support::CaptureStderr([] { CefShutdown(); });
  EXPECT_NE(logged.find("CefShutdown with 3 browser(s) still open"),
            std::string::npos)
      << logged;
  // Shutdown still closed them.
  EXPECT_TRUE(client_->WaitForCount("before_close", 4));
}

TEST_F(BrowserTest, ClosingDestroysTheWindowAndEndsTheRenderProcessQuietly) {
  CefRefPtr<CefBrowser> browser = Create("");
  HWND window = browser->GetHost()->GetWindowHandle();
  int pid = RenderProcessOf(browser);
  browser->GetHost()->CloseBrowser(false);
  ASSERT_TRUE(client_->WaitFor(
      "before_close " + std::to_string(browser->GetIdentifier())));
  EXPECT_FALSE(IsWindow(window));
  ExpectPlaceholderMainFrame(browser);
  // A closed browser takes calls without harm. From another thread a
  // message is posted to the UI thread and said to be sent, as by
  // CefBrowserHostImpl::Send; on the UI thread a closed browser refuses it.
  browser->Reload();
  EXPECT_TRUE(browser->SendProcessMessage(
      PID_RENDERER, CefProcessMessage::Create("echo")));
  bool sent_on_ui = true;
  RunOnUi([&]() {
    sent_on_ui = browser->SendProcessMessage(
        PID_RENDERER, CefProcessMessage::Create("echo"));
  });
  EXPECT_FALSE(sent_on_ui);
  ExpectProcessEnds(pid);
  EXPECT_TRUE(client_->Lines("terminated").empty());
  EXPECT_TRUE(client_->Lines("message echo").empty());
}

TEST_F(BrowserTest, DestroyingItsWindowOrAnAncestorsClosesTheBrowser) {
  CefRefPtr<CefBrowser> own = Create("data:text/plain,own");
  HWND middle = zubrix::x11::CreateChildWindow(host_, 0, 0, 200, 200, true);
  ASSERT_NE(middle, nullptr);
  CefRefPtr<CefBrowser> nested;
  RunOnUi([&]() {
    CefWindowInfo info;
    info.SetAsChild(middle, RECT{0, 0, 100, 100});
    nested = CefBrowserHost::CreateBrowserSync(
        info, client_.get(), "data:text/plain,nested", CefBrowserSettings(),
        nullptr);
  });
  ASSERT_TRUE(nested);
  const int own_pid = RenderProcessOf(own);
  const int nested_pid = RenderProcessOf(nested);

  // On the UI thread, which created the window, as Windows wants it.
  RunOnUi([&]() {
    EXPECT_TRUE(DestroyWindow(own->GetHost()->GetWindowHandle()));
  });
  ASSERT_TRUE(client_->WaitFor("before_close " +
                               std::to_string(own->GetIdentifier())));
  ExpectProcessEnds(own_pid);
  ExpectPlaceholderMainFrame(own);
  EXPECT_TRUE(client_->Lines("before_close " +
                             std::to_string(nested->GetIdentifier()))
                  .empty());

  RunOnUi([&]() { EXPECT_TRUE(DestroyWindow(middle)); });
  ASSERT_TRUE(client_->WaitFor("before_close " +
                               std::to_string(nested->GetIdentifier())));
  ExpectProcessEnds(nested_pid);
  EXPECT_TRUE(client_->Lines("terminated").empty());
}

}  // namespace
