// Navigation: documents from data: and file: URLs, sub-frames, load
// reports and their order, errors and the back-forward list.
#include <chrono>
#include <future>
#include <thread>

#include "browser_fixture.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace {

using testing::ElementsAre;

TEST_F(BrowserTest, ADataUrlLoadsAsynchronouslyIntoTheMainFrame) {
  const std::string url = "data:text/html,<title>t</title>hello";
  CefRefPtr<CefBrowser> browser = Create(url);
  EXPECT_TRUE(browser->IsLoading());
  EXPECT_TRUE(client_->Lines("load_").empty());  // Not before it returns.
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(client_->Lines("load_"),
              ElementsAre("load_start main " + url,
                          "load_end main " + url + " 200"));
  EXPECT_EQ(browser->GetMainFrame()->GetURL().ToString(), url);
  EXPECT_FALSE(browser->IsLoading());
}

TEST_F(BrowserTest, EachSubFrameHasItsOwnLoadStartAfterItsParents) {
  std::string c = WriteFile("c.html", "<p>c</p>");
  std::string a = WriteFile("a.html", "<iframe src='c.html'></iframe>");
  std::string b = WriteFile("b.html", "b");
  std::string main = WriteFile(
      "main.html",
      "<iframe name=first src=\"a.html\"></iframe>"
      "<!-- <iframe src='commented.html'></iframe> -->"
      "<IFRAME NAME='second' SRC='b.html'></IFRAME>");
  CefRefPtr<CefBrowser> browser = Create(main);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(client_->Lines("load_start"),
              ElementsAre("load_start main " + main, "load_start sub " + a,
                          "load_start sub " + b, "load_start sub " + c));
  // A frame ends once its own sub-frames have: the main frame last.
  std::vector<std::string> ends = client_->Lines("load_end");
  ASSERT_EQ(ends.size(), 4u);
  EXPECT_EQ(ends.back(), "load_end main " + main + " 200");

  EXPECT_EQ(browser->GetFrameCount(), 4u);
  CefRefPtr<CefFrame> first = browser->GetFrame("first");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetURL().ToString(), a);
  EXPECT_EQ(first->GetParent()->GetIdentifier(),
            browser->GetMainFrame()->GetIdentifier());
  EXPECT_EQ(browser->GetFrame(first->GetIdentifier())->GetName().ToString(),
            "first");
  EXPECT_EQ(browser->GetFrame("second")->GetURL().ToString(), b);
  std::vector<CefString> names;
  browser->GetFrameNames(names);
  EXPECT_EQ(names.size(), 4u);

  // The render side sees the same frames.
  browser->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create("frames"));
  ASSERT_TRUE(client_->WaitFor("message frames"));
  CefRefPtr<CefListValue> urls = client_->LastMessage("frames");
  ASSERT_EQ(urls->GetSize(), 4u);
  EXPECT_EQ(urls->GetString(0).ToString(), main);
}

TEST_F(BrowserTest, NavigatingAwayDropsTheOldSubFrames) {
  std::string sub = WriteFile("sub.html", "");
  std::string with_frame = WriteFile("one.html", "<iframe src=sub.html>");
  std::string plain = WriteFile("two.html", "plain");
  CefRefPtr<CefBrowser> browser = Create(with_frame);
  ASSERT_TRUE(WaitLoaded(browser));
  CefRefPtr<CefFrame> old_sub = browser->GetFrame(
      cefsim_inspect::Browsers()[0].frames[1].id);
  ASSERT_TRUE(old_sub && old_sub->IsValid());
  browser->GetMainFrame()->LoadURL(plain);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_EQ(browser->GetFrameCount(), 1u);
  EXPECT_FALSE(old_sub->IsValid());
  EXPECT_EQ(browser->GetMainFrame()->GetURL().ToString(), plain);
}

TEST_F(BrowserTest, FailedDocumentsEndInLoadErrorsForTheirFrames) {
  std::string missing = "file://" + folder_ + "/missing.html";
  std::string page = WriteFile("page.html", "<iframe src='missing.html'>");
  CefRefPtr<CefBrowser> browser = Create(missing);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(client_->Lines("load_"),
              ElementsAre("load_error main " + missing + " -6 "
                          "net::ERR_FILE_NOT_FOUND"));

  browser->GetMainFrame()->LoadURL(page);
  ASSERT_TRUE(WaitLoaded(browser));
  std::vector<std::string> lines = client_->Lines("load_");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "load_start main " + page);
  EXPECT_EQ(lines[2], "load_error sub " + missing + " -6 "
                      "net::ERR_FILE_NOT_FOUND");
  EXPECT_EQ(lines[3], "load_end main " + page + " 200");

  browser->GetMainFrame()->LoadURL("nosuchscheme:x");
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_EQ(client_->Lines("load_").back(),
            "load_error main nosuchscheme:x -302 net::ERR_UNKNOWN_URL_SCHEME");
  browser->GetMainFrame()->LoadURL("data:text/html;base64,!!!");
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_EQ(client_->Lines("load_").back(),
            "load_error main data:text/html;base64,!!! -300 "
            "net::ERR_INVALID_URL");
}

TEST_F(BrowserTest, BackAndForwardMoveThroughTheMainFrameHistory) {
  std::string one = "data:text/plain,one";
  std::string two = "data:text/plain,two";
  CefRefPtr<CefBrowser> browser = Create(one);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_FALSE(browser->CanGoBack());
  browser->GetMainFrame()->LoadURL(two);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_TRUE(browser->CanGoBack());
  browser->GoBack();
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_EQ(browser->GetMainFrame()->GetURL().ToString(), one);
  EXPECT_FALSE(browser->CanGoBack());
  EXPECT_TRUE(browser->CanGoForward());
  browser->Reload();
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_TRUE(browser->CanGoForward());  // A reload keeps the list.
  browser->GoForward();
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_EQ(browser->GetMainFrame()->GetURL().ToString(), two);
  EXPECT_EQ(client_->Lines("load_start").size(), 5u);
}

// As CefBrowserHostImpl::DidFinishNavigation: a same-document navigation
// changes the frame's URL and the history, without OnLoadStart; the page's
// scripts do not run again.
TEST_F(BrowserTest, FragmentNavigationsStayInTheirDocument) {
  std::string page = WriteFile(
      "page.html", "<script>console.log('ran', location.hash)</script>");
  CefRefPtr<CefBrowser> browser = Create(page);
  ASSERT_TRUE(WaitLoaded(browser));
  auto main_url_is = [&](const std::string& url) {
    for (int i = 0; i < 500; ++i) {
      if (browser->GetMainFrame()->GetURL().ToString() == url)
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  };

  browser->GetMainFrame()->ExecuteJavaScript(
      "location.hash = 'x'; console.log(location.href);"
      "location.href = '#y'; console.log(location.hash);", "", 1);
  ASSERT_TRUE(main_url_is(page + "#y"));
  browser->GetMainFrame()->LoadURL(page + "#z");
  ASSERT_TRUE(WaitLoaded(browser));
  ASSERT_TRUE(main_url_is(page + "#z"));
  EXPECT_TRUE(browser->CanGoBack());
  browser->GoBack();
  ASSERT_TRUE(WaitLoaded(browser));
  ASSERT_TRUE(main_url_is(page + "#y"));
  EXPECT_TRUE(browser->CanGoForward());
  EXPECT_THAT(client_->Lines("load_start"), ElementsAre("load_start main " + page));
  EXPECT_THAT(Console(browser), ElementsAre("ran ", page + "#x", "#y"));

  // A reload, and a URL without a fragment, load the document anew.
  browser->Reload();
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->LoadURL(page);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(client_->Lines("load_start"),
              ElementsAre("load_start main " + page,
                          "load_start main " + page + "#y",
                          "load_start main " + page));
  EXPECT_THAT(Console(browser),
              ElementsAre("ran ", page + "#x", "#y", "ran #y", "ran "));
}

TEST_F(BrowserTest, WaitingForALoadWaitsForTheNavigationAskedFor) {
  const std::string url = "data:text/plain,late";
  // The browser can be seen while its client still holds the UI thread,
  // before the first navigation has gone anywhere.
  std::promise<int> created;
  client_->on_after_created = [&created](CefRefPtr<CefBrowser> browser) {
    created.set_value(browser->GetIdentifier());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  };
  CefWindowInfo info;
  info.SetAsChild(host_, RECT{0, 0, 100, 100});
  ASSERT_TRUE(CefBrowserHost::CreateBrowser(info, client_.get(), url,
                                            CefBrowserSettings(), nullptr));
  int id = created.get_future().get();
  ASSERT_TRUE(cefsim_inspect::WaitLoaded(id, 10000));
  EXPECT_THAT(client_->Lines("load_end"),
              ElementsAre("load_end main " + url + " 200"));
}

TEST_F(BrowserTest, ALoadOvertakenBeforeItsStartWasHeardIsNotReportedAtAll) {
  const std::string first = "data:text/plain,first";
  const std::string second = "data:text/plain,second";
  CefRefPtr<CefBrowser> browser;
  RunOnUi([&]() {
    CefWindowInfo info;
    info.SetAsChild(host_, RECT{0, 0, 100, 100});
    browser = CefBrowserHost::CreateBrowserSync(info, client_.get(), first,
                                                CefBrowserSettings(), nullptr);
    browser->GetMainFrame()->LoadURL(second);
    // Meanwhile the render process loads the first page whole; its reports
    // queue up behind the second navigation.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  });
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(client_->Lines("load_"),
              ElementsAre("load_start main " + second,
                          "load_end main " + second + " 200"));
}

}  // namespace
