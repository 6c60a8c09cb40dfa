#include "handler_requests.h"

#include <cstring>
#include <future>

#include "common/function_task.h"
#include "include/cef_callback.h"
#include "include/cef_request.h"
#include "include/cef_response.h"
#include "include/cef_task.h"
#include "scheme/plovex_client_scheme_handler.h"

namespace bench {
namespace {

using zubrix::FunctionTask;

// One request on the IO thread; every step after ProcessRequest is taken
// where the handler's callback posts it, as CEF's request job does.
class HandlerJob : public CefCallback {
 public:
  HandlerJob(const CefString& url, std::vector<char>* piece)
      : url_(url), piece_(piece),
        handler_(new zubrix::PlovexClientSchemeHandler()) {}

  std::future<long> Start() {
    CefPostTask(TID_IO, new FunctionTask([this] {
                  CefRefPtr<CefRequest> request = CefRequest::Create();
                  request->SetURL(url_);
                  if (!handler_->ProcessRequest(request, this))
                    End(-1);
                }));
    return done_.get_future();
  }

  void Continue() override {
    CefRefPtr<HandlerJob> self(this);
    CefPostTask(TID_IO, new FunctionTask([self] { self->Step(); }));
  }
  void Cancel() override {
    CefRefPtr<HandlerJob> self(this);
    CefPostTask(TID_IO, new FunctionTask([self] { self->End(-1); }));
  }

 private:
  void Step() {
    if (ended_)
      return;
    if (!headers_read_) {
      CefRefPtr<CefResponse> response = CefResponse::Create();
      int64 length = 0;
      CefString redirect;
      handler_->GetResponseHeaders(response, length, redirect);
      headers_read_ = true;
    }
    int bytes_read = 0;
    while (handler_->ReadResponse(piece_->data(),
                                  static_cast<int>(piece_->size()), bytes_read,
                                  this)) {
      if (bytes_read == 0)
        return;  // Resumed at Continue.
      served_ += bytes_read;
    }
    End(served_);
  }

  void End(long result) {
    if (ended_)
      return;
    ended_ = true;
    handler_ = nullptr;  // CEF lets a finished handler go on this thread.
    done_.set_value(result);
  }

  const CefString url_;
  std::vector<char>* const piece_;
  CefRefPtr<zubrix::PlovexClientSchemeHandler> handler_;
  std::promise<long> done_;
  bool headers_read_ = false;
  bool ended_ = false;
  long served_ = 0;
  IMPLEMENT_REFCOUNTING(HandlerJob);
};

}  // namespace

long ServeThroughHandler(const CefString& url, std::vector<char>* piece) {
  CefRefPtr<HandlerJob> job(new HandlerJob(url, piece));
  return job->Start().get();
}

namespace {

// Runs |work| on the file thread and waits until the IO thread has taken
// its answer.
void OnFileThreadAnsweredOnIo(const std::function<void()>& work,
                              const std::function<void()>& answer) {
  std::promise<void> answered;
  CefPostTask(TID_FILE, new FunctionTask([&] {
                work();
                CefPostTask(TID_IO, new FunctionTask([&] {
                              answer();
                              answered.set_value();
                            }));
              }));
  answered.get_future().wait();
}

}  // namespace

size_t ReadInPiecesOnFileThread(
    const std::function<std::unique_ptr<PieceReader>()>& open,
    std::vector<char>* piece) {
  std::unique_ptr<PieceReader> reader;
  std::vector<char> buffer(piece->size());
  size_t total = 0;
  long read = 0;
  // The first piece is read where the file is opened, as the handler does.
  do {
    OnFileThreadAnsweredOnIo(
        [&] {
          if (!reader)
            reader = open();
          read = reader ? reader->Read(buffer.data(), buffer.size()) : -1;
        },
        [&] {
          if (read > 0)
            memcpy(piece->data(), buffer.data(), static_cast<size_t>(read));
        });
    if (read > 0)
      total += static_cast<size_t>(read);
  } while (read > 0);
  // Let go where CEF lets a finished handler go, with its stream.
  reader.reset();
  return total;
}

}  // namespace bench
