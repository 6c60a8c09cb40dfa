#include "scheme/plovex_client_scheme_handler.h"

#include <algorithm>

#include "include/wrapper/cef_helpers.h"
#include "scheme/client_route.h"
#include "scheme/not_found_reports.h"

namespace zubrix {

bool PlovexClientSchemeHandler::ProcessRequest(
    CefRefPtr<CefRequest> request,
    CefRefPtr<CefCallback> callback) {
  CEF_REQUIRE_IO_THREAD();
  const CefString url = request->GetURL();
  const ClientRoute route = RouteClientUrl(url);
  if (route.kind == ClientRoute::Kind::kNone) {
    // Cancelled, as ever; the tool developer still hears why.
    ReportNotFound(url.ToString(),
                   "no route: client: URLs begin client://internal/ or "
                   "client://plovex/");
    return false;
  }
  body_->Start(url, route, callback);
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
