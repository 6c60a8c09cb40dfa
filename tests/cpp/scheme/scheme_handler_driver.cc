#include "scheme_handler_driver.h"

#include <gtest/gtest.h>

#include "include/cef_request.h"
#include "include/cef_response.h"
#include "test_support/cef_thread.h"

namespace zubrix {
namespace {

ServedRequest ServeUrlOnIoThread(const std::string& url, int bytes_to_read) {
  CefRefPtr<CefRequest> request = CefRequest::Create();
  request->SetURL(url);
  CefRefPtr<PlovexClientSchemeHandler> handler(new PlovexClientSchemeHandler());
  CefRefPtr<RecordingCallback> callback(new RecordingCallback());

  ServedRequest served;
  served.taken = handler->ProcessRequest(request, callback.get());
  served.continued = callback->continued;
  served.cancelled = callback->cancelled;
  if (!served.taken)
    return served;

  CefRefPtr<CefResponse> response = CefResponse::Create();
  CefString redirect;
  handler->GetResponseHeaders(response, served.length, redirect);
  EXPECT_TRUE(redirect.empty());
  served.status = response->GetStatus();
  served.mime_type = response->GetMimeType().ToString();

  std::vector<char> buffer(bytes_to_read > 0 ? bytes_to_read : 1);
  int bytes_read = -1;
  // The bound only keeps a faulty handler from looping for ever.
  for (int calls = 0; calls < 100000; ++calls) {
    if (!handler->ReadResponse(buffer.data(), bytes_to_read, bytes_read,
                               callback.get())) {
      EXPECT_EQ(bytes_read, 0);
      break;
    }
    served.pieces.push_back(bytes_read);
    served.body.append(buffer.data(), static_cast<size_t>(bytes_read));
    if (bytes_read == 0)
      break;
  }
  // A handler may also give up while reading.
  served.cancelled = callback->cancelled;
  return served;
}

}  // namespace

ServedRequest ServeUrl(const std::string& url, int bytes_to_read) {
  ServedRequest served;
  test_support::RunOnCefThread(TID_IO, [&]() {
    served = ServeUrlOnIoThread(url, bytes_to_read);
  });
  return served;
}

SteppedRequest::SteppedRequest(const std::string& url)
    : handler(new PlovexClientSchemeHandler()),
      callback(new RecordingCallback()) {
  CefRefPtr<CefRequest> request = CefRequest::Create();
  request->SetURL(url);
  test_support::RunOnCefThread(TID_IO, [&]() {
    EXPECT_TRUE(handler->ProcessRequest(request, callback.get()));
    CefRefPtr<CefResponse> response = CefResponse::Create();
    CefString redirect;
    handler->GetResponseHeaders(response, length, redirect);
  });
}

std::string SteppedRequest::Read(int size, bool* more) {
  std::vector<char> piece(size);
  int bytes_read = -1;
  test_support::RunOnCefThread(TID_IO, [&]() {
    *more =
        handler->ReadResponse(piece.data(), size, bytes_read, callback.get());
  });
  return std::string(piece.data(), bytes_read > 0 ? bytes_read : 0);
}

void SteppedRequest::Cancel() {
  test_support::RunOnCefThread(TID_IO, [this]() { handler->Cancel(); });
}

std::string SteppedRequest::ReadRest() {
  std::string body;
  bool more = true;
  // The bound only keeps a faulty handler from looping for ever.
  for (int calls = 0; more && calls < 100000; ++calls)
    body += Read(65536, &more);
  return body;
}

}  // namespace zubrix
