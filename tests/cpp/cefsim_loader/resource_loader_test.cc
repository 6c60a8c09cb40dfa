#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "include/cef_scheme.h"
#include "include/cef_task.h"
#include "cefsim/src/loader/resource_loader.h"
#include "cefsim/src/loader/scheme_registry.h"
#include "cefsim/src/threads/named_threads.h"

namespace {

// How a test handler behaves at each step.
struct Script {
  bool take = true;
  // Continue from ProcessRequest itself, from another thread, or cancel.
  enum class Answer { kContinue, kContinueLater, kCancel, kNothing };
  Answer answer = Answer::kContinue;
  std::string body = "body";
  // The most each ReadResponse hands out.
  size_t read_size = 3;
  int64 announced_length = -1;
  // Every other ReadResponse call has no data yet and continues later.
  bool reads_pause = false;
  // Continue is also called where nothing waits for it: twice on the
  // headers callback, and on the bytes callback with each piece.
  bool stray_continues = false;
  std::string redirect;
  int status = 200;
  std::string mime_type = "text/plain";
};

struct Record {
  std::atomic<int> cancels{0};
  std::atomic<int> reads{0};
  std::atomic<int> headers{0};
  std::atomic<int> released{0};
  // The last callbacks the handler was given: the headers', the bytes'.
  CefRefPtr<CefCallback> headers_callback;
  CefRefPtr<CefCallback> bytes_callback;
  std::atomic<bool> on_io_thread{true};
  std::string url;
  bool read_only = false;
  std::string scheme;
};

// Whether |holds| comes true within 10 s: a handler is let go as its load
// ends, which may be just after the load's result is out.
bool Eventually(const std::function<bool()>& holds) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!holds()) {
    if (std::chrono::steady_clock::now() > until)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void ContinueFromAnotherThread(CefRefPtr<CefCallback> callback) {
  std::thread([callback] { callback->Continue(); }).detach();
}

class ScriptedHandler : public CefResourceHandler {
 public:
  ScriptedHandler(const Script& script, Record* record)
      : script_(script), record_(record) {}
  ~ScriptedHandler() override { ++record_->released; }

  bool ProcessRequest(CefRefPtr<CefRequest> request,
                      CefRefPtr<CefCallback> callback) override {
    Note();
    record_->url = request->GetURL().ToString();
    record_->read_only = request->IsReadOnly();
    record_->headers_callback = callback;
    if (!script_.take)
      return false;
    if (script_.stray_continues)
      callback->Continue();
    if (script_.answer == Script::Answer::kContinue)
      callback->Continue();
    else if (script_.answer == Script::Answer::kContinueLater)
      ContinueFromAnotherThread(callback);
    else if (script_.answer == Script::Answer::kCancel)
      callback->Cancel();
    return true;
  }
  void GetResponseHeaders(CefRefPtr<CefResponse> response,
                          int64& response_length,
                          CefString& redirectUrl) override {
    Note();
    ++record_->headers;
    response->SetStatus(script_.status);
    response->SetMimeType(script_.mime_type);
    response_length = script_.announced_length;
    redirectUrl = script_.redirect;
  }
  bool ReadResponse(void* data_out, int bytes_to_read, int& bytes_read,
                    CefRefPtr<CefCallback> callback) override {
    Note();
    record_->bytes_callback = callback;
    bytes_read = 0;
    if (script_.reads_pause && record_->reads++ % 2 == 0) {
      ContinueFromAnotherThread(callback);
      return true;
    }
    if (offset_ >= script_.body.size())
      return false;
    size_t count = std::min({static_cast<size_t>(bytes_to_read),
                             script_.read_size, script_.body.size() - offset_});
    memcpy(data_out, script_.body.data() + offset_, count);
    if (script_.stray_continues)
      callback->Continue();
    offset_ += count;
    bytes_read = static_cast<int>(count);
    return true;
  }
  void Cancel() override { ++record_->cancels; }

 private:
  void Note() {
    if (!CefCurrentlyOn(TID_IO))
      record_->on_io_thread = false;
  }

  const Script script_;
  Record* const record_;
  size_t offset_ = 0;
  IMPLEMENT_REFCOUNTING(ScriptedHandler);
};

class ScriptedFactory : public CefSchemeHandlerFactory {
 public:
  ScriptedFactory(const Script& script, Record* record)
      : script_(script), record_(record) {}

  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser> browser,
                                       CefRefPtr<CefFrame> frame,
                                       const CefString& scheme_name,
                                       CefRefPtr<CefRequest> request) override {
    record_->scheme = scheme_name.ToString();
    return new ScriptedHandler(script_, record_);
  }

 private:
  const Script script_;
  Record* const record_;
  IMPLEMENT_REFCOUNTING(ScriptedFactory);
};

class ResourceLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { cefsim::StartNamedThread(TID_IO); }
  void TearDown() override {
    CefClearSchemeHandlerFactories();
    cefsim::StopNamedThread(TID_IO);
  }

  void Register(const std::string& scheme, const std::string& domain,
                const Script& script, Record* record) {
    EXPECT_TRUE(CefRegisterSchemeHandlerFactory(
        scheme, domain, new ScriptedFactory(script, record)));
  }

  cefsim::LoadResult Load(const std::string& url) {
    return Started(url, cefsim::LoadOptions()).get();
  }

  // A load under way; its result once it ends.
  std::future<cefsim::LoadResult> Started(const std::string& url,
                                          cefsim::LoadOptions options) {
    auto result = std::make_shared<std::promise<cefsim::LoadResult>>();
    cefsim::LoadResource(url, nullptr, nullptr, RT_MAIN_FRAME,
                         [result](cefsim::LoadResult loaded) {
                           EXPECT_TRUE(CefCurrentlyOn(TID_IO));
                           result->set_value(std::move(loaded));
                         },
                         std::move(options));
    return result->get_future();
  }

  static cefsim::LoadResult Ended(std::future<cefsim::LoadResult>* result) {
    EXPECT_EQ(result->wait_for(std::chrono::seconds(10)),
              std::future_status::ready);
    return result->get();
  }

  // Runs |task| on the IO thread and waits for it, and for what it posted
  // there before it ended.
  static void OnIoThread(std::function<void()> task) {
    std::promise<void> ran;
    cefsim::PostToNamedThread(TID_IO, [&] {
      task();
      cefsim::PostToNamedThread(TID_IO, [&] { ran.set_value(); });
    });
    ran.get_future().wait();
  }
};

TEST_F(ResourceLoaderTest, DrivesAHandlerToTheEndOfItsBody) {
  for (Script::Answer answer :
       {Script::Answer::kContinue, Script::Answer::kContinueLater}) {
    Record record;
    Script script;
    script.answer = answer;
    script.body = "a body read three bytes at a time";
    script.reads_pause = answer == Script::Answer::kContinueLater;
    script.status = 201;
    Register("test", "", script, &record);
    cefsim::LoadResult result = Load("Test:some/where?q");
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.url, "test:some/where?q");
    EXPECT_EQ(result.status, 201);
    EXPECT_EQ(result.mime_type, "text/plain");
    EXPECT_EQ(result.body, script.body);
    EXPECT_EQ(record.url, "test:some/where?q");
    EXPECT_EQ(record.scheme, "test");
    EXPECT_TRUE(record.read_only);
    EXPECT_TRUE(record.on_io_thread);
    EXPECT_EQ(record.cancels, 0);
  }
}

// As CefResourceRequestJobCallback: the headers callback acts once, and the
// bytes callback only while a read waits for it.
TEST_F(ResourceLoaderTest, ContinuesThatNothingWaitsForDoNothing) {
  Record record;
  Script script;
  script.stray_continues = true;
  script.body = "read three bytes at a time";
  Register("test", "", script, &record);
  cefsim::LoadResult result = Load("test:x");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.body, script.body);
  EXPECT_EQ(record.headers, 1);
  EXPECT_EQ(record.cancels, 0);
}

TEST_F(ResourceLoaderTest, AnnouncedLengthEndsTheBody) {
  Record record;
  Script script;
  script.body = "0123456789";
  script.announced_length = 4;
  Register("test", "", script, &record);
  EXPECT_EQ(Load("test:x").body, "0123");
  script.announced_length = 0;
  Register("test", "", script, &record);
  cefsim::LoadResult empty = Load("test:x");
  EXPECT_TRUE(empty.ok);
  EXPECT_EQ(empty.body, "");
}

TEST_F(ResourceLoaderTest, RefusedOrCancelledRequestsFail) {
  Record refused_record;
  Script refused;
  refused.take = false;
  Register("test", "", refused, &refused_record);
  cefsim::LoadResult result = Load("test:x");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, ERR_ABORTED);

  Record cancelled_record;
  Script cancelled;
  cancelled.answer = Script::Answer::kCancel;
  Register("test", "", cancelled, &cancelled_record);
  result = Load("test:x");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, ERR_ABORTED);
  EXPECT_EQ(result.body, "");
  EXPECT_EQ(cancelled_record.cancels, 1);

  EXPECT_EQ(Load("nothing:x").error, ERR_UNKNOWN_URL_SCHEME);
  EXPECT_EQ(Load("no scheme").error, ERR_INVALID_URL);
}

TEST_F(ResourceLoaderTest, RedirectsAreFollowedUpToALimit) {
  Record first_record, second_record;
  Script first;
  first.redirect = "second:y";
  Script second;
  second.body = "arrived";
  Register("first", "", first, &first_record);
  Register("second", "", second, &second_record);
  cefsim::LoadResult result = Load("first:x");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.url, "second:y");
  EXPECT_EQ(result.body, "arrived");

  Record loop_record;
  Script loop;
  loop.redirect = "loop:again";
  Register("loop", "", loop, &loop_record);
  EXPECT_EQ(Load("loop:x").error, ERR_TOO_MANY_REDIRECTS);
}

TEST_F(ResourceLoaderTest, FactoriesAreMatchedAsCefMatchesThem) {
  Record record_a, record_b, record_any, record_client;
  Script a, b, any, client;
  a.body = "a";
  b.body = "b";
  any.body = "any";
  client.body = "client";
  Register("HTTP", "A.example", a, &record_a);
  Register("http", "b.example", b, &record_b);
  Register("http", "", any, &record_any);
  EXPECT_EQ(Load("http://a.example/x").body, "a");
  EXPECT_EQ(Load("http://B.EXAMPLE/x").body, "b");
  EXPECT_EQ(Load("http://c.example/x").body, "any");

  // The domain of a non-standard scheme is ignored: a factory registered
  // for one domain serves them all, and a later one replaces it.
  Register("client", "internal", a, &record_a);
  EXPECT_EQ(Load("client://plovex/D:/a.plovex/x").body, "a");
  Register("client", "plovex", client, &record_client);
  EXPECT_EQ(Load("client://internal/x").body, "client");

  EXPECT_TRUE(CefRegisterSchemeHandlerFactory("client", "", nullptr));
  EXPECT_EQ(Load("client://internal/x").error, ERR_UNKNOWN_URL_SCHEME);
  EXPECT_FALSE(CefRegisterSchemeHandlerFactory("", "", nullptr));
  EXPECT_TRUE(CefClearSchemeHandlerFactories());
  EXPECT_EQ(Load("http://a.example/x").error, ERR_UNKNOWN_URL_SCHEME);
}

// As CefResourceRequestJob: a dropped load's handler gets Cancel unless it
// had finished, the job lets it go, and its callbacks do nothing after.
TEST_F(ResourceLoaderTest, DroppedLoadsCancelTheirUnfinishedHandler) {
  Record record;
  Script script;
  script.answer = Script::Answer::kNothing;
  Register("test", "", script, &record);
  cefsim::LoadOptions options;
  options.browser_id = 3;
  options.frame_id = 30;
  std::future<cefsim::LoadResult> waiting = Started("test:x", options);
  OnIoThread([] {
    cefsim::DropLoads(4, 0);
    cefsim::DropLoads(3, 31);
  });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(0)),
            std::future_status::timeout);
  EXPECT_EQ(record.cancels, 0);
  OnIoThread([] { cefsim::DropLoads(3, 30); });
  cefsim::LoadResult dropped = Ended(&waiting);
  EXPECT_EQ(dropped.error, ERR_ABORTED);
  EXPECT_EQ(record.cancels, 1);
  EXPECT_TRUE(Eventually([&record] { return record.released == 1; }));
  // A Continue or Cancel that comes late finds the request gone.
  record.headers_callback->Continue();
  record.headers_callback->Cancel();
  OnIoThread([] {});
  EXPECT_EQ(record.cancels, 1);

  Record finished_record;
  script.answer = Script::Answer::kContinue;
  script.reads_pause = true;
  Register("test", "", script, &finished_record);
  std::future<cefsim::LoadResult> finished = Started("test:y", options);
  EXPECT_TRUE(Ended(&finished).ok);
  EXPECT_TRUE(
      Eventually([&finished_record] { return finished_record.released == 1; }));
  OnIoThread([] { cefsim::DropAllLoads(); });
  finished_record.bytes_callback->Cancel();
  OnIoThread([] {});
  EXPECT_EQ(finished_record.cancels, 0);
}

// As Chromium's AsyncResourceHandler, which sends no more than its shared
// buffer holds until the renderer acknowledges (OnDataReceivedACK): pieces
// stop eight ahead of their reader, and its word for another request or
// process does not move them on.
TEST_F(ResourceLoaderTest, LargeBodiesGoToTheSinkInPiecesAsTheReaderTakesThem) {
  Record record;
  Script script;
  script.body = std::string(600 * 1024, 'b');
  script.read_size = 4096;
  script.announced_length = static_cast<int64>(script.body.size());
  Register("test", "", script, &record);
  std::vector<size_t> pieces;
  std::atomic<size_t> piece_count{0};
  cefsim::LoadOptions options;
  options.reader_process_id = 5;
  options.reader_request_id = 7;
  options.body_pieces = [&pieces, &piece_count](std::string piece) {
    pieces.push_back(piece.size());
    ++piece_count;
  };
  std::future<cefsim::LoadResult> loading = Started("test:x", options);
  EXPECT_TRUE(Eventually([&piece_count] { return piece_count == 8; }));
  OnIoThread([] {
    cefsim::BodyPieceTakenIn(5, 8);
    cefsim::BodyPieceTakenIn(6, 7);
  });
  EXPECT_EQ(loading.wait_for(std::chrono::milliseconds(200)),
            std::future_status::timeout);
  EXPECT_EQ(piece_count, 8u);
  // Each piece taken in lets one more go.
  OnIoThread([] { cefsim::BodyPieceTakenIn(5, 7); });
  EXPECT_TRUE(Eventually([&piece_count] { return piece_count == 9; }));
  EXPECT_EQ(loading.wait_for(std::chrono::milliseconds(200)),
            std::future_status::timeout);
  OnIoThread([] { cefsim::BodyPieceTakenIn(5, 7); });
  cefsim::LoadResult result = Ended(&loading);
  ASSERT_TRUE(result.ok);
  size_t total = result.body.size();
  // Small reads gather into pieces of 64 KiB; the rest comes with the end.
  for (size_t piece : pieces) {
    EXPECT_GE(piece, 64u * 1024);
    total += piece;
  }
  EXPECT_EQ(pieces.size(), 9u);
  EXPECT_EQ(total, script.body.size());

  // A body of known length that ends with a piece goes whole with the
  // result, in one message.
  Record whole_record;
  script.body = std::string(64 * 1024, 'w');
  script.read_size = script.body.size();
  script.announced_length = static_cast<int64>(script.body.size());
  Register("test", "", script, &whole_record);
  pieces.clear();
  std::future<cefsim::LoadResult> whole = Started("test:y", options);
  cefsim::LoadResult whole_result = Ended(&whole);
  ASSERT_TRUE(whole_result.ok);
  EXPECT_TRUE(pieces.empty());
  EXPECT_EQ(whole_result.body, script.body);
}

TEST(ResourceLoaderWithoutIoThreadTest, FailsAtOnce) {
  bool called = false;
  cefsim::LoadResource("test:x", nullptr, nullptr, RT_MAIN_FRAME,
                       [&called](cefsim::LoadResult result) {
                         called = true;
                         EXPECT_EQ(result.error, ERR_ABORTED);
                       });
  EXPECT_TRUE(called);
}

}  // namespace
