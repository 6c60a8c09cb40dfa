// Drives a PlovexClientSchemeHandler through one request the way CEF does:
// its methods on CEF's IO thread, waiting for the callback's Continue where
// the handler answers later, and records what it answered.
#ifndef ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_
#define ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_callback.h"
#include "scheme/plovex_client_scheme_handler.h"

namespace zubrix {

struct ServedRequest {
  bool taken = false;
  int continued = 0;
  int cancelled = 0;
  int status = 0;
  std::string mime_type;
  int64 length = -1;
  std::string body;
  // The byte count of every ReadResponse call that handed out bytes.
  std::vector<int> pieces;
};

ServedRequest ServeUrl(const std::string& url, int bytes_to_read = 65536);

// Counts what the handler asks of its request, from whichever thread.
class RecordingCallback : public CefCallback {
 public:
  void Continue() override;
  void Cancel() override;

  int continued();
  int cancelled();
  // Continue and Cancel calls so far.
  int answers();
  // Waits until more than |seen| answers came; false after a long while.
  bool WaitForAnswerAfter(int seen);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int continued_ = 0;
  int cancelled_ = 0;
  IMPLEMENT_REFCOUNTING(RecordingCallback);
};

// One request driven a step at a time, so that a test can act between the
// pieces: the request is taken and its headers read at construction.
class SteppedRequest {
 public:
  explicit SteppedRequest(const std::string& url);

  // One piece of up to |size| bytes, waiting for the handler's Continue
  // when none is ready; |more| is what ReadResponse last returned. Empty
  // with |more| set when the handler cancelled the request.
  std::string Read(int size, bool* more);
  // The pieces until ReadResponse returns false or the handler cancels.
  std::string ReadRest();
  // What CEF calls when the request is dropped.
  void Cancel();

  CefRefPtr<PlovexClientSchemeHandler> handler;
  CefRefPtr<RecordingCallback> callback;
  int64 length = -1;
};

}  // namespace zubrix

#endif  // ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_
