#include "scheme_handler_driver.h"

#include <gtest/gtest.h>

#include <chrono>

#include "include/cef_request.h"
#include "include/cef_response.h"
#include "test_support/cef_thread.h"

namespace zubrix {
namespace {

// Long enough for a loaded machine; only a handler that never answers
// reaches it.
constexpr auto kAnswerWait = std::chrono::seconds(30);

void RunOnIoThread(const std::function<void()>& body) {
  // The handler's reading runs there.
  test_support::RunOnCefThread(TID_FILE, [] {});
  test_support::RunOnCefThread(TID_IO, body);
}

// ProcessRequest, then the headers once the handler continued.
bool StartRequest(const std::string& url, PlovexClientSchemeHandler* handler,
                  RecordingCallback* callback, CefRefPtr<CefResponse> response,
                  int64* length) {
  CefRefPtr<CefRequest> request = CefRequest::Create();
  request->SetURL(url);
  bool taken = false;
  RunOnIoThread([&] { taken = handler->ProcessRequest(request, callback); });
  if (!taken)
    return false;
  EXPECT_TRUE(callback->WaitForAnswerAfter(0));
  if (callback->continued() == 0)
    return true;
  RunOnIoThread([&] {
    CefString redirect;
    handler->GetResponseHeaders(response, *length, redirect);
    EXPECT_TRUE(redirect.empty());
  });
  return true;
}

}  // namespace

void RecordingCallback::Continue() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++continued_;
  }
  changed_.notify_all();
}

void RecordingCallback::Cancel() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++cancelled_;
  }
  changed_.notify_all();
}

int RecordingCallback::continued() {
  std::lock_guard<std::mutex> lock(mutex_);
  return continued_;
}

int RecordingCallback::cancelled() {
  std::lock_guard<std::mutex> lock(mutex_);
  return cancelled_;
}

int RecordingCallback::answers() {
  std::lock_guard<std::mutex> lock(mutex_);
  return continued_ + cancelled_;
}

bool RecordingCallback::WaitForAnswerAfter(int seen) {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, kAnswerWait, [&] {
    return continued_ + cancelled_ > seen;
  });
}

ServedRequest ServeUrl(const std::string& url, int bytes_to_read) {
  CefRefPtr<PlovexClientSchemeHandler> handler(new PlovexClientSchemeHandler());
  CefRefPtr<RecordingCallback> callback(new RecordingCallback());
  CefRefPtr<CefResponse> response = CefResponse::Create();
  ServedRequest served;
  served.taken = StartRequest(url, handler.get(), callback.get(), response,
                              &served.length);
  if (served.taken && callback->continued() > 0) {
    served.status = response->GetStatus();
    served.mime_type = response->GetMimeType().ToString();
    std::vector<char> buffer(bytes_to_read > 0 ? bytes_to_read : 1);
    // The bound only keeps a faulty handler from looping for ever.
    for (int calls = 0; calls < 100000; ++calls) {
      const int seen = callback->answers();
      int bytes_read = -1;
      bool more = false;
      RunOnIoThread([&] {
        more = handler->ReadResponse(buffer.data(), bytes_to_read, bytes_read,
                                     callback.get());
      });
      if (!more) {
        EXPECT_EQ(bytes_read, 0);
        break;
      }
      if (bytes_read > 0) {
        served.pieces.push_back(bytes_read);
        served.body.append(buffer.data(), static_cast<size_t>(bytes_read));
        continue;
      }
      // Nothing ready: CEF reads again at Continue, and stops at Cancel.
      if (bytes_to_read <= 0 || !callback->WaitForAnswerAfter(seen) ||
          callback->cancelled() > 0)
        break;
    }
  }
  served.continued = callback->continued();
  served.cancelled = callback->cancelled();
  // CEF lets the handler go on its IO thread.
  RunOnIoThread([&] { handler = nullptr; });
  return served;
}

SteppedRequest::SteppedRequest(const std::string& url)
    : handler(new PlovexClientSchemeHandler()),
      callback(new RecordingCallback()) {
  EXPECT_TRUE(StartRequest(url, handler.get(), callback.get(),
                           CefResponse::Create(), &length));
}

std::string SteppedRequest::Read(int size, bool* more) {
  std::vector<char> piece(size > 0 ? size : 1);
  for (;;) {
    const int seen = callback->answers();
    int bytes_read = -1;
    RunOnIoThread([&] {
      *more =
          handler->ReadResponse(piece.data(), size, bytes_read, callback.get());
    });
    if (!*more || bytes_read > 0 || size <= 0)
      return std::string(piece.data(), bytes_read > 0 ? bytes_read : 0);
    if (!callback->WaitForAnswerAfter(seen)) {
      ADD_FAILURE() << "the handler never answered a pending read";
      return std::string();
    }
    if (callback->cancelled() > 0)
      return std::string();
  }
}

void SteppedRequest::Cancel() {
  RunOnIoThread([this]() { handler->Cancel(); });
}

std::string SteppedRequest::ReadRest() {
  std::string body;
  bool more = true;
  // The bound only keeps a faulty handler from looping for ever.
  for (int calls = 0; more && callback->cancelled() == 0 && calls < 100000;
       ++calls)
    body += Read(65536, &more);
  return body;
}

}  // namespace zubrix
