#include "scheme/plovex_client_scheme_handler.h"

#include <algorithm>

#include "include/wrapper/cef_helpers.h"
#include "scheme/client_route.h"

namespace zubrix {

bool PlovexClientSchemeHandler::ProcessRequest(
    CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  const ClientRoute route = RouteClientUrl(request->GetURL());
  if (route.kind == ClientRoute::Kind::kNone)
    return false;
  body_->Start(route, callback);
  return true;
}

void PlovexClientSchemeHandler::GetResponseHeaders(
    CefRefPtr<CefResponse> response,
    int64& response_length,
    CefString& redirectUrl) {
  CEF_REQUIRE_IO_THREAD();
  if (const CefString* mime_type = body_->mime_type())
    response->SetMimeType(*mime_type);
  response->SetStatus(200);
  response_length = body_->length();
}

bool PlovexClientSchemeHandler::ReadResponse(void* data_out,
                                             int bytes_to_read,
                                             int& bytes_read,
                                             CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  // Worked out in size_t, so that bodies past 2 GiB are served too; a
  // negative request copies nothing.
  size_t count = 0;
  const bool more = body_->Read(
      data_out, static_cast<size_t>(std::max(bytes_to_read, 0)), &count,
      callback);
  bytes_read = static_cast<int>(count);
  return more;
}

void PlovexClientSchemeHandler::Cancel() {
  CEF_REQUIRE_IO_THREAD();
  body_->Cancel();
}

}  // namespace zubrix
