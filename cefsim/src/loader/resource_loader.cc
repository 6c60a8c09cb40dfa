#include "loader/resource_loader.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "include/cef_callback.h"
#include "include/cef_resource_handler.h"
#include "include/cef_response.h"
#include "loader/scheme_registry.h"
#include "net/request_impl.h"
#include "threads/named_threads.h"
#include "url/url_canonicalizer.h"

namespace cefsim {
namespace {

constexpr int kReadPieceSize = 65536;
constexpr int kMaxRedirects = 20;

std::atomic<uint64> next_request_identifier(1);

// One request from start to result. Lives on TID_IO: every step runs there,
// and handlers' callbacks from other threads are posted there.
class LoadJob : public std::enable_shared_from_this<LoadJob> {
 public:
  LoadJob(const std::string& url, CefRefPtr<CefBrowser> browser,
          CefRefPtr<CefFrame> frame, cef_resource_type_t resource_type,
          std::function<void(LoadResult)> done)
      : url_(url),
        browser_(browser),
        frame_(frame),
        resource_type_(resource_type),
        done_(std::move(done)) {}

  void Start();

  // Steps a handler's callback asks for. |attempt| names the handler that
  // asked, so that a redirected request ignores the previous handler.
  void OnContinue(int attempt);
  void OnCancel(int attempt);

 private:
  enum class State { kProcessing, kWaitingForHeaders, kReading, kWaitingForData,
                     kDone };

  void ReadHeaders();
  void ReadBody();
  void Finish();
  void Fail(cef_errorcode_t error);

  std::string url_;
  const CefRefPtr<CefBrowser> browser_;
  const CefRefPtr<CefFrame> frame_;
  const cef_resource_type_t resource_type_;
  std::function<void(LoadResult)> done_;

  State state_ = State::kProcessing;
  int attempt_ = 0;
  CefRefPtr<CefResourceHandler> handler_;
  CefRefPtr<CefCallback> callback_;
  int64 remaining_ = -1;
  LoadResult result_;
};

// A handler's Continue and Cancel, which it may call from any thread.
class JobCallback : public CefCallback {
 public:
  JobCallback(std::shared_ptr<LoadJob> job, int attempt)
      : job_(job), attempt_(attempt) {}

  void Continue() override {
    std::shared_ptr<LoadJob> job = job_;
    int attempt = attempt_;
    PostToNamedThread(TID_IO, [job, attempt] { job->OnContinue(attempt); });
  }
  void Cancel() override {
    std::shared_ptr<LoadJob> job = job_;
    int attempt = attempt_;
    PostToNamedThread(TID_IO, [job, attempt] { job->OnCancel(attempt); });
  }

 private:
  const std::shared_ptr<LoadJob> job_;
  const int attempt_;
  IMPLEMENT_REFCOUNTING(JobCallback);
};

void LoadJob::Start() {
  ++attempt_;
  CanonicalUrl canonical;
  if (!CanonicalizeUrl(url_, &canonical)) {
    Fail(ERR_INVALID_URL);
    return;
  }
  result_.url = canonical.full_url;
  CefRefPtr<RequestImpl> request(new RequestImpl());
  request->SetURL(canonical.full_url);
  request->SetResourceType(resource_type_);
  request->SetIdentifier(next_request_identifier++);
  request->SetReadOnly(true);

  handler_ = CreateSchemeHandler(browser_, frame_, request.get());
  if (!handler_) {
    Fail(ERR_UNKNOWN_URL_SCHEME);
    return;
  }
  state_ = State::kProcessing;
  callback_ = new JobCallback(shared_from_this(), attempt_);
  bool taken = handler_->ProcessRequest(request.get(), callback_);
  if (state_ != State::kProcessing)
    return;
  if (!taken) {
    Fail(ERR_ABORTED);
    return;
  }
  state_ = State::kWaitingForHeaders;
}

void LoadJob::OnContinue(int attempt) {
  if (attempt != attempt_)
    return;
  if (state_ == State::kWaitingForHeaders) {
    ReadHeaders();
  } else if (state_ == State::kWaitingForData) {
    state_ = State::kReading;
    ReadBody();
  }
}

void LoadJob::OnCancel(int attempt) {
  if (attempt != attempt_ || state_ == State::kDone)
    return;
  handler_->Cancel();
  Fail(ERR_ABORTED);
}

void LoadJob::ReadHeaders() {
  CefRefPtr<CefResponse> response = CefResponse::Create();
  int64 length = -1;
  CefString redirect;
  handler_->GetResponseHeaders(response, length, redirect);
  if (!redirect.empty()) {
    if (attempt_ > kMaxRedirects) {
      Fail(ERR_TOO_MANY_REDIRECTS);
      return;
    }
    url_ = redirect.ToString();
    handler_ = nullptr;
    callback_ = nullptr;
    Start();
    return;
  }
  if (response->GetError() != ERR_NONE) {
    Fail(response->GetError());
    return;
  }
  result_.status = response->GetStatus();
  result_.mime_type = response->GetMimeType().ToString();
  remaining_ = length;
  state_ = State::kReading;
  ReadBody();
}

// Reads while the handler has data at hand; a known length ends the body
// once that many bytes have come, as CEF does.
void LoadJob::ReadBody() {
  std::vector<char> piece(kReadPieceSize);
  while (state_ == State::kReading) {
    if (remaining_ == 0) {
      Finish();
      return;
    }
    int wanted = kReadPieceSize;
    if (remaining_ > 0)
      wanted = static_cast<int>(std::min<int64>(wanted, remaining_));
    int bytes_read = 0;
    if (!handler_->ReadResponse(piece.data(), wanted, bytes_read, callback_)) {
      Finish();
      return;
    }
    if (bytes_read < 0 || bytes_read > wanted) {
      Fail(ERR_FAILED);
      return;
    }
    if (bytes_read == 0) {
      state_ = State::kWaitingForData;
      return;
    }
    result_.body.append(piece.data(), static_cast<size_t>(bytes_read));
    if (remaining_ > 0)
      remaining_ -= bytes_read;
  }
}

void LoadJob::Finish() {
  state_ = State::kDone;
  result_.ok = true;
  result_.error = ERR_NONE;
  // Dropping the handler also ends the cycle through a callback it may keep.
  handler_ = nullptr;
  callback_ = nullptr;
  done_(std::move(result_));
}

void LoadJob::Fail(cef_errorcode_t error) {
  state_ = State::kDone;
  result_.ok = false;
  result_.error = error;
  result_.status = 0;
  result_.mime_type.clear();
  result_.body.clear();
  handler_ = nullptr;
  callback_ = nullptr;
  done_(std::move(result_));
}

}  // namespace

void LoadResource(const std::string& url,
                  CefRefPtr<CefBrowser> browser,
                  CefRefPtr<CefFrame> frame,
                  cef_resource_type_t resource_type,
                  std::function<void(LoadResult)> done) {
  auto job = std::make_shared<LoadJob>(url, browser, frame, resource_type,
                                       done);
  if (!PostToNamedThread(TID_IO, [job] { job->Start(); })) {
    LoadResult aborted;
    aborted.url = url;
    aborted.error = ERR_ABORTED;
    done(aborted);
  }
}

}  // namespace cefsim
