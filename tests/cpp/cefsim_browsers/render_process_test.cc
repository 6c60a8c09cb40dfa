// Process messages both ways, and render processes that die or misbehave.
#include <thread>

#include "browser_fixture.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace {

std::string Id(CefRefPtr<CefBrowser> browser) {
  return std::to_string(browser->GetIdentifier());
}

bool EchoWorks(RecordingClient* client, CefRefPtr<CefBrowser> browser,
               int token) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("echo");
  message->GetArgumentList()->SetInt(0, token);
  if (!browser->SendProcessMessage(PID_RENDERER, message))
    return false;
  for (int i = 0; i < 100; ++i) {
    client->WaitFor("message echo");
    CefRefPtr<CefListValue> reply = client->LastMessage("echo");
    if (reply && reply->GetInt(0) == token)
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST_F(BrowserTest, ProcessMessagesGoBothWaysWithTheirArguments) {
  CefRefPtr<CefBrowser> browser = Create("");
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("echo");
  CefRefPtr<CefListValue> arguments = message->GetArgumentList();
  arguments->SetString(0, "caf\xC3\xA9");
  arguments->SetInt(1, -7);
  CefRefPtr<CefListValue> nested = CefListValue::Create();
  nested->SetBool(0, true);
  arguments->SetList(2, nested);
  EXPECT_FALSE(browser->SendProcessMessage(PID_BROWSER, message));
  ASSERT_TRUE(browser->SendProcessMessage(PID_RENDERER, message));
  ASSERT_TRUE(client_->WaitFor("message echo " + Id(browser) + " from renderer"));
  CefRefPtr<CefListValue> reply = client_->LastMessage("echo");
  EXPECT_TRUE(reply->IsEqual(arguments));
}

TEST_F(BrowserTest, AKilledRenderProcessIsReportedAndLeavesOthersWorking) {
  CefRefPtr<CefBrowser> victim = Create("data:text/plain,v");
  CefRefPtr<CefBrowser> bystander = Create("data:text/plain,b");
  ASSERT_TRUE(WaitLoaded(victim));
  ASSERT_TRUE(cefsim_inspect::KillRenderProcess(
      cefsim_inspect::Browsers()[0].render_process_pid));
  ASSERT_TRUE(client_->WaitFor("terminated"));
  EXPECT_EQ(client_->Lines("terminated"),
            std::vector<std::string>{"terminated " + Id(victim) + " " +
                                     std::to_string(TS_PROCESS_WAS_KILLED)});
  EXPECT_EQ(cefsim_inspect::Browsers()[0].render_process_pid, -1);

  // As CefBrowserHostImpl::Send between RenderProcessGone and
  // RenderViewReady: what is sent meanwhile waits for the next render
  // process. The other browser goes on.
  CefRefPtr<CefProcessMessage> waiting = CefProcessMessage::Create("echo");
  waiting->GetArgumentList()->SetInt(0, 10);
  EXPECT_TRUE(victim->SendProcessMessage(PID_RENDERER, waiting));
  CefRefPtr<CefFrame> main = victim->GetMainFrame();
  ASSERT_TRUE(main);
  main->ExecuteJavaScript("console.log('waited')", "", 1);
  EXPECT_TRUE(EchoWorks(client_.get(), bystander, 11));
  EXPECT_TRUE(client_->Lines("message echo " + Id(victim)).empty());

  // A reload brings the page back in a new render process, which gets what
  // waited first.
  victim->Reload();
  ASSERT_TRUE(WaitLoaded(victim));
  EXPECT_GT(cefsim_inspect::Browsers()[0].render_process_pid, 0);
  EXPECT_EQ(client_->Lines("load_end main data:text/plain,v").size(), 2u);
  ASSERT_TRUE(client_->WaitFor("message echo " + Id(victim)));
  EXPECT_EQ(client_->LastMessage("echo")->GetInt(0), 10);
  EXPECT_TRUE(EchoWorks(client_.get(), victim, 12));
  EXPECT_EQ(Console(victim), std::vector<std::string>{"waited"});
}

TEST_F(BrowserTest, ACrashIsReportedAsOne) {
  CefRefPtr<CefBrowser> browser = Create("");
  browser->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create("crash"));
  ASSERT_TRUE(client_->WaitFor("terminated"));
  EXPECT_EQ(client_->Lines("terminated")[0],
            "terminated " + Id(browser) + " " +
                std::to_string(TS_PROCESS_CRASHED));
}

// A message past Chromium's IPC::Channel::kMaximumMessageSize is a channel
// error for the browser process, which ends the render process that sent it
// (RenderProcessHostImpl::OnChannelError); it is not dropped quietly. The
// render process sends nothing after it.
TEST_F(BrowserTest, AMessageOverTheIpcLimitEndsItsRenderProcess) {
  CefRefPtr<CefBrowser> sender = Create("");
  CefRefPtr<CefBrowser> bystander = Create("");
  ASSERT_TRUE(WaitLoaded(sender));
  sender->SendProcessMessage(PID_RENDERER,
                             CefProcessMessage::Create("oversized"));
  // Filling 128 MiB takes a sanitizer build a while.
  bool terminated = false;
  for (int i = 0; i < 6 && !terminated; ++i)
    terminated = client_->WaitFor("terminated " + Id(sender));
  ASSERT_TRUE(terminated);
  EXPECT_EQ(client_->Lines("terminated"),
            std::vector<std::string>{"terminated " + Id(sender) + " " +
                                     std::to_string(TS_PROCESS_WAS_KILLED)});
  EXPECT_TRUE(client_->Messages("oversized").empty());
  EXPECT_TRUE(EchoWorks(client_.get(), bystander, 31));
}

TEST_F(BrowserTest, AMalformedFrameEndsOnlyTheRenderProcessThatSentIt) {
  CefRefPtr<CefBrowser> sender = Create("");
  CefRefPtr<CefBrowser> bystander = Create("");
  sender->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create("garbage"));
  ASSERT_TRUE(client_->WaitFor("terminated " + Id(sender)));
  EXPECT_TRUE(EchoWorks(client_.get(), bystander, 21));
  EXPECT_EQ(client_->Lines("terminated").size(), 1u);
}

}  // namespace
