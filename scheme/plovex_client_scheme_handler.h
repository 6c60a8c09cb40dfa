// Answers one "client" request: routes its URL, then hands the answer to CEF
// in pieces: a folder file straight from disk, an archive entry or the
// not-found page from memory. What cannot be read is answered with the
// not-found page, under status 200 like everything else.
#ifndef ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_
#define ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_

#include <string>

#include "include/cef_resource_handler.h"
#include "scheme/file_body.h"

namespace zubrix {

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
  // Closes a folder file still being served.
  void Cancel() override;

 private:
  // Each |callback| is the request's own, alive for the call.
  // |url| is the request's, for the report of a not-found answer.
  bool ServeArchiveEntry(const CefString& url,
                         const std::string& archive_path,
                         bool has_entry_name,
                         const std::string& entry_name,
                         CefCallback* callback);
  bool ServeInternalFile(const CefString& url,
                         const std::string& relative_path,
                         CefCallback* callback);
  bool ServeNotFound(const std::string& name, CefCallback* callback);
  bool ReadFromFile(void* data_out,
                    size_t wanted,
                    int& bytes_read,
                    CefCallback* callback);

  // A folder file being served; while it is open, |data_| is unused.
  FileBody file_;
  std::string data_;
  // Never more than the size of |data_|.
  size_t offset_ = 0;
  // One of the lifelong MIME type texts; set before the request continues.
  const CefString* mime_type_ = nullptr;

  IMPLEMENT_REFCOUNTING(PlovexClientSchemeHandler);
  DISALLOW_COPY_AND_ASSIGN(PlovexClientSchemeHandler);
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_H_
