// Answers one "client" request: routes its URL, reads the whole answer into
// memory, and hands it to CEF in pieces. What cannot be read is answered
// with the not-found page, under status 200 like everything else.
#ifndef ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_
#define ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_

#include <string>

#include "include/cef_resource_handler.h"

class PlovexClientSchemeHandler : public CefResourceHandler {
 public:
  PlovexClientSchemeHandler() {}

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
  // The request holds nothing open between calls, so there is nothing to stop.
  void Cancel() override {}

 private:
  bool ServeArchiveEntry(const std::string& archive_path,
                         bool has_entry_name,
                         const std::string& entry_name,
                         CefRefPtr<CefCallback> callback);
  bool ServeInternalFile(const std::string& relative_path,
                         CefRefPtr<CefCallback> callback);
  bool ServeNotFound(const std::string& name, CefRefPtr<CefCallback> callback);

  std::string data_;
  // Never more than the size of |data_|.
  size_t offset_ = 0;
  std::string mime_type_;

  IMPLEMENT_REFCOUNTING(PlovexClientSchemeHandler);
  DISALLOW_COPY_AND_ASSIGN(PlovexClientSchemeHandler);
};

#endif  // ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_
