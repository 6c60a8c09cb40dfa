// Answers one "client" request: routes its URL at once, then leaves the
// opening and the reading to CEF's file thread and hands the body to CEF as
// it comes, so that CEF's IO thread never waits on a disk read or an
// inflate. What cannot be read is answered with the not-found page, under
// status 200 like everything else.
#ifndef ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_
#define ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_

#include "include/cef_resource_handler.h"
#include "scheme/streamed_body.h"

namespace zubrix {

class PlovexClientSchemeHandler : public CefResourceHandler {
 public:
  PlovexClientSchemeHandler() : body_(new StreamedBody()) {}
  // CEF drops a handler without Cancel once the request ended; whatever
  // the file thread still does for it stops then too.
  ~PlovexClientSchemeHandler() override { body_->Cancel(); }

  // CefResourceHandler:
  bool ProcessRequest(CefRefPtr<CefRequest> request,
                      CefRefPtr<CefCallback> callback) override;
  void GetResponseHeaders(CefRefPtr<CefResponse> response,
                          int64& response_length,
                          CefString& redirectUrl) override;
  bool ReadResponse(void* data_out,
                    int bytes_to_read,
                    int& bytes_read,
                    CefRefPtr<CefCallback> callback) override;
  // Stops the reading and lets the file or archive go.
  void Cancel() override;

 private:
  // Shared with the file thread's tasks, which never hold the handler.
  const CefRefPtr<StreamedBody> body_;

  IMPLEMENT_REFCOUNTING(PlovexClientSchemeHandler);
  DISALLOW_COPY_AND_ASSIGN(PlovexClientSchemeHandler);
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_
