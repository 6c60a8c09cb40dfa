#include "handler_requests.h"

#include <future>

#include "include/cef_callback.h"
#include "include/cef_request.h"
#include "include/cef_response.h"
#include "include/cef_task.h"
#include "scheme/plovex_client_scheme_handler.h"

namespace bench {
namespace {

// The handler continues before ProcessRequest returns, so nothing waits.
class ReadyCallback : public CefCallback {
 public:
  void Continue() override {}
  void Cancel() override {}

 private:
  IMPLEMENT_REFCOUNTING(ReadyCallback);
};

class FunctionTask : public CefTask {
 public:
  explicit FunctionTask(std::function<void()> work) : work_(std::move(work)) {}
  void Execute() override { work_(); }

 private:
  std::function<void()> work_;
  IMPLEMENT_REFCOUNTING(FunctionTask);
};

}  // namespace

long ServeThroughHandler(const CefString& url, std::vector<char>* piece) {
  CefRefPtr<CefRequest> request = CefRequest::Create();
  request->SetURL(url);
  CefRefPtr<CefResourceHandler> handler(new zubrix::PlovexClientSchemeHandler());
  CefRefPtr<CefCallback> callback(new ReadyCallback());
  if (!handler->ProcessRequest(request, callback))
    return -1;
  CefRefPtr<CefResponse> response = CefResponse::Create();
  int64 length = 0;
  CefString redirect;
  handler->GetResponseHeaders(response, length, redirect);
  long served = 0;
  int bytes_read = 0;
  while (handler->ReadResponse(piece->data(), static_cast<int>(piece->size()),
                               bytes_read, callback))
    served += bytes_read;
  return served;
}

void RunOnIoThread(std::function<void()> work) {
  std::promise<void> done;
  CefPostTask(TID_IO, new FunctionTask([&work, &done] {
                work();
                done.set_value();
              }));
  done.get_future().wait();
}

}  // namespace bench
