// Drives a PlovexClientSchemeHandler through one request the way CEF does,
// on CEF's IO thread, and records what it answered.
#ifndef ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_
#define ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_

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
  // The byte count of every ReadResponse call that returned true.
  std::vector<int> pieces;
};

ServedRequest ServeUrl(const std::string& url, int bytes_to_read = 65536);

// Counts what the handler asks of its request.
class RecordingCallback : public CefCallback {
 public:
  void Continue() override { ++continued; }
  void Cancel() override { ++cancelled; }

  int continued = 0;
  int cancelled = 0;

 private:
  IMPLEMENT_REFCOUNTING(RecordingCallback);
};

// One request driven a step at a time, so that a test can act between the
// pieces: the request is taken and its headers read at construction.
class SteppedRequest {
 public:
  explicit SteppedRequest(const std::string& url);

  // One piece of up to |size| bytes; |more| is what ReadResponse returned.
  std::string Read(int size, bool* more);
  // The pieces until ReadResponse returns false.
  std::string ReadRest();
  // What CEF calls when the request is dropped.
  void Cancel();

  CefRefPtr<PlovexClientSchemeHandler> handler;
  CefRefPtr<RecordingCallback> callback;
  int64 length = -1;
};

}  // namespace zubrix

#endif  // ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_
