#include "cefsim/src/loader/resource_loader.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <vector>

#include "include/cef_callback.h"
#include "include/cef_resource_handler.h"
#include "include/cef_response.h"
#include "cefsim/src/loader/scheme_registry.h"
#include "cefsim/src/net/request_impl.h"
#include "cefsim/src/threads/named_threads.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {
namespace {

constexpr int kReadPieceSize = 65536;
constexpr int kMaxRedirects = 20;
// A body handed to a sink goes out once this much has gathered (one read's
// worth, as Chromium sends each read on); a smaller one goes whole with the
// result. A piece well inside the channel's socket buffer is written at
// once: a larger one would hold the IO thread until the render process
// read it.
constexpr size_t kBodyPieceSize = kReadPieceSize;
// Pieces sent ahead of the reader's acknowledgements: 512 KiB, the size of
// the shared buffer through which Chromium's AsyncResourceHandler sends.
constexpr int kMostPiecesAhead = 8;

std::atomic<uint64> next_request_identifier(1);

class JobCallback;

// One request from start to result, as CefResourceRequestJob. Lives on
// TID_IO: every step runs there, and handlers' callbacks from other threads
// are posted there.
class LoadJob : public std::enable_shared_from_this<LoadJob> {
 public:
  LoadJob(const std::string& url, CefRefPtr<CefBrowser> browser,
          CefRefPtr<CefFrame> frame, cef_resource_type_t resource_type,
          std::function<void(LoadResult)> done, LoadOptions options)
      : url_(url),
        browser_(browser),
        frame_(frame),
        resource_type_(resource_type),
        done_(std::move(done)),
        options_(std::move(options)) {}

  void Start();
  // As CefResourceRequestJob::Kill: Cancel for a handler that has not
  // finished, then nothing more from its callbacks.
  void Kill();
  // A Continue on the headers callback (CefResourceRequestJobCallback's
  // HEADERS_AVAILABLE) or on the bytes callback (BYTES_AVAILABLE).
  void OnHeadersAvailable();
  void OnBytesAvailable();

  bool For(int browser_id, int64_t frame_id) const {
    return options_.browser_id == browser_id &&
           (frame_id == 0 || options_.frame_id == frame_id);
  }
  bool ReadBy(int process_id, int request_id) const {
    return options_.body_pieces && options_.reader_process_id == process_id &&
           options_.reader_request_id == request_id;
  }
  void PieceTakenIn();

 private:
  void StartTransaction();
  void SendHeaders();
  void ReadBody();
  void DetachCallbacks();
  void Finish();
  void Fail(cef_errorcode_t error);
  void End();

  std::string url_;
  const CefRefPtr<CefBrowser> browser_;
  const CefRefPtr<CefFrame> frame_;
  const cef_resource_type_t resource_type_;
  std::function<void(LoadResult)> done_;
  const LoadOptions options_;

  int redirects_ = 0;
  CefRefPtr<CefResourceHandler> handler_;
  CefRefPtr<JobCallback> headers_callback_;
  CefRefPtr<JobCallback> bytes_callback_;
  bool response_started_ = false;
  bool io_pending_ = false;
  // The handler reported the end of its body: it gets no Cancel.
  bool handler_done_ = false;
  bool ended_ = false;
  int64 remaining_ = -1;
  // Pieces handed to the sink and not yet taken in by its reader; the body
  // is not read on while there are kMostPiecesAhead.
  int pieces_ahead_ = 0;
  bool waiting_for_room_ = false;
  LoadResult result_;
};

// The loads not yet ended. IO thread only.
std::set<std::shared_ptr<LoadJob>>& LiveLoads() {
  static auto* loads = new std::set<std::shared_ptr<LoadJob>>();
  return *loads;
}

// A handler's Continue and Cancel, which it may call from any thread; they
// act on the IO thread, and not at all once the job detached the callback.
class JobCallback : public CefCallback {
 public:
  enum class Kind { kHeaders, kBytes };
  JobCallback(std::shared_ptr<LoadJob> job, Kind kind)
      : job_(std::move(job)), kind_(kind) {}

  void Continue() override {
    CefRefPtr<JobCallback> self(this);
    PostToNamedThread(TID_IO, [self] { self->ContinueOnIoThread(); });
  }
  void Cancel() override {
    CefRefPtr<JobCallback> self(this);
    PostToNamedThread(TID_IO, [self] {
      if (std::shared_ptr<LoadJob> job = self->job_)
        job->Kill();
    });
  }
  // IO thread.
  void Detach() { job_ = nullptr; }

 private:
  void ContinueOnIoThread() {
    std::shared_ptr<LoadJob> job = job_;
    if (!job)
      return;
    if (kind_ == Kind::kHeaders) {
      job->OnHeadersAvailable();
      // Headers are asked for once.
      Detach();
    } else {
      job->OnBytesAvailable();
    }
  }

  // Touched on the IO thread only.
  std::shared_ptr<LoadJob> job_;
  const Kind kind_;
  IMPLEMENT_REFCOUNTING(JobCallback);
};

void LoadJob::Start() {
  LiveLoads().insert(shared_from_this());
  StartTransaction();
}

void LoadJob::StartTransaction() {
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
  response_started_ = false;
  io_pending_ = false;
  handler_done_ = false;
  headers_callback_ =
      new JobCallback(shared_from_this(), JobCallback::Kind::kHeaders);
  // The callbacks post to this thread: nothing ends the job meanwhile.
  if (!handler_->ProcessRequest(request.get(), headers_callback_))
    Fail(ERR_ABORTED);
}

void LoadJob::OnHeadersAvailable() {
  if (!ended_ && !response_started_)
    SendHeaders();
}

void LoadJob::OnBytesAvailable() {
  if (ended_ || !response_started_ || !io_pending_)
    return;
  io_pending_ = false;
  ReadBody();
}

void LoadJob::SendHeaders() {
  response_started_ = true;
  headers_callback_ = nullptr;
  CefRefPtr<CefResponse> response = CefResponse::Create();
  int64 length = 0;
  CefString redirect;
  handler_->GetResponseHeaders(response, length, redirect);
  if (response->GetError() != ERR_NONE) {
    Fail(response->GetError());
    return;
  }
  if (!redirect.empty()) {
    if (++redirects_ > kMaxRedirects) {
      Fail(ERR_TOO_MANY_REDIRECTS);
      return;
    }
    // The redirected request gets a new handler; the old one has finished
    // with this request and gets no Cancel.
    url_ = redirect.ToString();
    handler_done_ = true;
    DetachCallbacks();
    handler_ = nullptr;
    StartTransaction();
    return;
  }
  result_.status = response->GetStatus();
  result_.mime_type = response->GetMimeType().ToString();
  if (options_.response_started)
    options_.response_started(result_.mime_type);
  remaining_ = length;
  ReadBody();
}

// Reads a piece the handler has at hand; a known length ends the body once
// that many bytes have come, as CEF does. The next piece is read in a task
// of its own, as Chromium's ResourceLoader::ReadMore does, so that a body
// that is always ready cannot starve the IO thread's other work.
void LoadJob::ReadBody() {
  if (ended_)
    return;
  if (remaining_ == 0) {
    Finish();
    return;
  }
  int wanted = kReadPieceSize;
  if (remaining_ > 0)
    wanted = static_cast<int>(std::min<int64>(wanted, remaining_));
  if (!bytes_callback_)
    bytes_callback_ =
        new JobCallback(shared_from_this(), JobCallback::Kind::kBytes);
  // Read straight into the body, which holds a whole piece for the sink.
  std::string& body = result_.body;
  const size_t had = body.size();
  if (options_.body_pieces && body.capacity() < kBodyPieceSize)
    body.reserve(kBodyPieceSize + kReadPieceSize);
  body.resize(had + static_cast<size_t>(wanted));
  int bytes_read = 0;
  const bool more = handler_->ReadResponse(&body[had], wanted, bytes_read,
                                           bytes_callback_.get());
  body.resize(had + static_cast<size_t>(
                        more && bytes_read > 0 && bytes_read <= wanted
                            ? bytes_read
                            : 0));
  if (!more) {
    Finish();
    return;
  }
  if (bytes_read < 0 || bytes_read > wanted) {
    Fail(ERR_FAILED);
    return;
  }
  if (bytes_read == 0) {
    io_pending_ = true;
    return;
  }
  if (remaining_ > 0)
    remaining_ -= bytes_read;
  // A body that came whole goes with the result, in one message.
  if (options_.body_pieces && body.size() >= kBodyPieceSize &&
      remaining_ != 0) {
    std::string gathered;
    gathered.swap(body);
    options_.body_pieces(std::move(gathered));
    ++pieces_ahead_;
  }
  // A body of known length that came whole asks the handler nothing more.
  if (remaining_ == 0) {
    Finish();
    return;
  }
  if (pieces_ahead_ >= kMostPiecesAhead) {
    waiting_for_room_ = true;
    return;
  }
  std::shared_ptr<LoadJob> self = shared_from_this();
  if (!PostToNamedThread(TID_IO, [self] { self->ReadBody(); }))
    Fail(ERR_ABORTED);
}

void LoadJob::PieceTakenIn() {
  if (pieces_ahead_ > 0)
    --pieces_ahead_;
  if (ended_ || !waiting_for_room_)
    return;
  waiting_for_room_ = false;
  ReadBody();
}

void LoadJob::Kill() {
  if (ended_)
    return;
  if (!handler_done_ && handler_)
    handler_->Cancel();
  Fail(ERR_ABORTED);
}

void LoadJob::DetachCallbacks() {
  if (headers_callback_)
    headers_callback_->Detach();
  if (bytes_callback_)
    bytes_callback_->Detach();
  headers_callback_ = nullptr;
  bytes_callback_ = nullptr;
}

void LoadJob::Finish() {
  handler_done_ = true;
  result_.ok = true;
  result_.error = ERR_NONE;
  End();
}

void LoadJob::Fail(cef_errorcode_t error) {
  result_.ok = false;
  result_.error = error;
  result_.status = 0;
  result_.mime_type.clear();
  result_.body.clear();
  End();
}

void LoadJob::End() {
  ended_ = true;
  DetachCallbacks();
  // The job lets its handler go as it ends, as CEF's does when destroyed.
  handler_ = nullptr;
  std::shared_ptr<LoadJob> self = shared_from_this();
  LiveLoads().erase(self);
  std::function<void(LoadResult)> done;
  done.swap(done_);
  done(std::move(result_));
}

void DropWhere(const std::function<bool(const LoadJob&)>& dropped) {
  std::vector<std::shared_ptr<LoadJob>> jobs;
  for (const std::shared_ptr<LoadJob>& job : LiveLoads()) {
    if (dropped(*job))
      jobs.push_back(job);
  }
  for (const std::shared_ptr<LoadJob>& job : jobs)
    job->Kill();
}

}  // namespace

void LoadResource(const std::string& url,
                  CefRefPtr<CefBrowser> browser,
                  CefRefPtr<CefFrame> frame,
                  cef_resource_type_t resource_type,
                  std::function<void(LoadResult)> done,
                  LoadOptions options) {
  auto job = std::make_shared<LoadJob>(url, browser, frame, resource_type,
                                       done, std::move(options));
  // A request that arrives on the IO thread starts there at once, as
  // Chromium's resource dispatcher starts the request it is handed.
  if (CurrentlyOnNamedThread(TID_IO)) {
    job->Start();
    return;
  }
  if (!PostToNamedThread(TID_IO, [job] { job->Start(); })) {
    LoadResult aborted;
    aborted.url = url;
    aborted.error = ERR_ABORTED;
    done(aborted);
  }
}

void DropLoads(int browser_id, int64_t frame_id) {
  DropWhere([browser_id, frame_id](const LoadJob& job) {
    return job.For(browser_id, frame_id);
  });
}

void DropAllLoads() {
  DropWhere([](const LoadJob&) { return true; });
}

void BodyPieceTakenIn(int reader_process_id, int reader_request_id) {
  for (const std::shared_ptr<LoadJob>& job : LiveLoads()) {
    if (job->ReadBy(reader_process_id, reader_request_id)) {
      // Read on from here: it may end the load, and with it this entry.
      std::shared_ptr<LoadJob> reading = job;
      reading->PieceTakenIn();
      return;
    }
  }
}

}  // namespace cefsim
