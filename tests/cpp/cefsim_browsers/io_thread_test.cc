// The browser process's IO thread carries the render processes' messages
// both ways, as Chromium's does, so a resource handler that holds it up
// holds up every browser; and a load that is dropped (navigation, closing,
// shutdown) cancels its handler as CefResourceRequestJob::Kill does.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <thread>

#include "browser_fixture.h"
#include "common/function_task.h"
#include "include/cef_app.h"
#include "include/cef_scheme.h"
#include "include/cef_task.h"
#include "test_support/stderr_capture.h"

namespace {

// Sleeps in ProcessRequest, as a handler reading a slow disk there would.
class SleepingHandler : public CefResourceHandler,
                        public CefSchemeHandlerFactory {
 public:

  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser>,
                                       CefRefPtr<CefFrame>, const CefString&,
                                       CefRefPtr<CefRequest>) override {
    return this;
  }
  bool ProcessRequest(CefRefPtr<CefRequest>,
                      CefRefPtr<CefCallback>) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++entered_;
    }
    changed_.notify_all();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ++returned_;
    return false;
  }
  void GetResponseHeaders(CefRefPtr<CefResponse>, int64&,
                          CefString&) override {}
  bool ReadResponse(void*, int, int&, CefRefPtr<CefCallback>) override {
    return false;
  }
  void Cancel() override {}

  int returned() const { return returned_; }
  bool WaitEntered(int times) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10),
                             [this, times] { return entered_ >= times; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int entered_ = 0;
  std::atomic<int> returned_{0};
  IMPLEMENT_REFCOUNTING(SleepingHandler);
};

TEST_F(BrowserTest, AHandlerHoldingTheIoThreadHoldsUpPageMessages) {
  CefRefPtr<CefBrowser> page = Create("data:text/html,<title>page</title>");
  ASSERT_TRUE(page && WaitLoaded(page));
  CefRefPtr<SleepingHandler> handler = new SleepingHandler();
  ASSERT_TRUE(CefRegisterSchemeHandlerFactory("sleepy", "", handler.get()));
  CefRefPtr<CefBrowser> other = Create("sleepy:page");
  ASSERT_TRUE(handler->WaitEntered(1));
  // Each crosses the IO thread twice: to the render process and back. Had
  // it not, it would be back long before the handler wakes.
  page->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create("echo"));
  ASSERT_TRUE(client_->WaitFor("message echo"));
  EXPECT_EQ(handler->returned(), 1);
  other->GetMainFrame()->LoadURL("sleepy:again");
  ASSERT_TRUE(handler->WaitEntered(2));
  page->GetMainFrame()->ExecuteJavaScript("test.send('executed')", "", 1);
  ASSERT_TRUE(client_->WaitFor("message executed"));
  EXPECT_EQ(handler->returned(), 2);
}

// As CefBrowserHostImpl::Send: code and messages from another thread go by
// way of the UI thread, after what was posted there before them.
TEST_F(BrowserTest, CodeAndMessagesFromAnotherThreadLeaveFromTheUiThread) {
  CefRefPtr<CefBrowser> page = Create("data:text/html,<title>page</title>");
  ASSERT_TRUE(page && WaitLoaded(page));
  std::promise<void> entered, release;
  std::thread ui_work([&]() {
    RunOnUi([&]() {
      entered.set_value();
      release.get_future().wait();
      page->GetMainFrame()->ExecuteJavaScript("test.send('from ui')", "", 1);
    });
  });
  entered.get_future().wait();
  page->GetMainFrame()->ExecuteJavaScript("test.send('from test')", "", 1);
  page->SendProcessMessage(PID_RENDERER, CefProcessMessage::Create("echo"));
  release.set_value();
  ui_work.join();
  ASSERT_TRUE(client_->WaitFor("message echo"));
  std::vector<std::string> lines = client_->Lines("message ");
  lines.erase(lines.begin(), lines.end() - std::min<size_t>(lines.size(), 3));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "message from ui 1 from renderer",
                       "message from test 1 from renderer",
                       "message echo 1 from renderer"}));
}

// What the endless handlers did, kept past their lives.
struct EndlessRecord {
  std::mutex mutex;
  std::condition_variable changed;
  int reads = 0;
  int cancels = 0;
  int reads_after_cancel = 0;
  int released = 0;

  template <typename Done>
  bool WaitUntil(Done done) {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(10),
                            [&] { return done(*this); });
  }
};

// A body without end that comes a piece at a time from the file thread.
class EndlessHandler : public CefResourceHandler {
 public:
  explicit EndlessHandler(std::shared_ptr<EndlessRecord> record)
      : record_(record) {}
  ~EndlessHandler() override { Note([](EndlessRecord& r) { ++r.released; }); }

  bool ProcessRequest(CefRefPtr<CefRequest>,
                      CefRefPtr<CefCallback> callback) override {
    callback->Continue();
    return true;
  }
  void GetResponseHeaders(CefRefPtr<CefResponse> response, int64& length,
                          CefString&) override {
    response->SetStatus(200);
    response->SetMimeType("text/plain");
    length = -1;
  }
  bool ReadResponse(void* out, int bytes_to_read, int& bytes_read,
                    CefRefPtr<CefCallback> callback) override {
    Note([](EndlessRecord& r) {
      ++r.reads;
      if (r.cancels > 0)
        ++r.reads_after_cancel;
    });
    bytes_read = 0;
    if (ready_) {
      bytes_read = std::min(bytes_to_read, 1024);
      memset(out, 'x', static_cast<size_t>(bytes_read));
    } else {
      CefPostTask(TID_FILE, new zubrix::FunctionTask(
                                [callback] { callback->Continue(); }));
    }
    ready_ = !ready_;
    return true;
  }
  void Cancel() override { Note([](EndlessRecord& r) { ++r.cancels; }); }

 private:
  template <typename Change>
  void Note(Change change) {
    {
      std::lock_guard<std::mutex> lock(record_->mutex);
      change(*record_);
    }
    record_->changed.notify_all();
  }

  const std::shared_ptr<EndlessRecord> record_;
  bool ready_ = false;
  IMPLEMENT_REFCOUNTING(EndlessHandler);
};

class EndlessFactory : public CefSchemeHandlerFactory {
 public:
  explicit EndlessFactory(std::shared_ptr<EndlessRecord> record)
      : record_(record) {}
  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser>,
                                       CefRefPtr<CefFrame>, const CefString&,
                                       CefRefPtr<CefRequest>) override {
    return new EndlessHandler(record_);
  }

 private:
  const std::shared_ptr<EndlessRecord> record_;
  IMPLEMENT_REFCOUNTING(EndlessFactory);
};

class DroppedLoadTest : public BrowserTest {
 protected:
  // A browser whose page streams without end, once it is streaming.
  CefRefPtr<CefBrowser> StreamingBrowser() {
    record_ = std::make_shared<EndlessRecord>();
    EXPECT_TRUE(CefRegisterSchemeHandlerFactory(
        "endless", "", new EndlessFactory(record_)));
    CefRefPtr<CefBrowser> browser = Create("endless:page");
    EXPECT_TRUE(record_->WaitUntil([](EndlessRecord& r) { return r.reads > 4; }));
    return browser;
  }

  // Cancelled once, let go, and never read again.
  void ExpectCancelledAndReleased() {
    EXPECT_TRUE(record_->WaitUntil(
        [](EndlessRecord& r) { return r.cancels == 1 && r.released == 1; }));
    // Continues posted before the cancel find the request gone.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::lock_guard<std::mutex> lock(record_->mutex);
    EXPECT_EQ(record_->cancels, 1);
    EXPECT_EQ(record_->reads_after_cancel, 0);
  }

  std::shared_ptr<EndlessRecord> record_;
};

TEST_F(DroppedLoadTest, NavigatingAwayCancelsTheLoad) {
  CefRefPtr<CefBrowser> browser = StreamingBrowser();
  browser->GetMainFrame()->LoadURL("data:text/html,<title>next</title>");
  ASSERT_TRUE(client_->WaitFor("load_end main data:"));
  ExpectCancelledAndReleased();
}

TEST_F(DroppedLoadTest, ClosingTheBrowserCancelsTheLoad) {
  CefRefPtr<CefBrowser> browser = StreamingBrowser();
  browser->GetHost()->CloseBrowser(true);
  ExpectCancelledAndReleased();
}

// A CefShutdown that an embedder gets wrong, with the browser still open
// and streaming, still cancels the load (and says what was wrong).
TEST_F(DroppedLoadTest, ShutdownCancelsTheLoad) {
  StreamingBrowser();
  const std::string logged = test_support::CaptureStderr([] { CefShutdown(); });
  EXPECT_NE(logged.find("CefShutdown with 1 browser(s) still open"),
            std::string::npos)
      << logged;
  ExpectCancelledAndReleased();
}

}  // namespace
