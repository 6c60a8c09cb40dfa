// The stand-in's CefResponse, filled in by a resource handler.
#include <mutex>

#include "include/cef_response.h"
#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/strings/u16_text.h"

namespace {

class ResponseImpl : public CefResponse {
 public:
  bool IsReadOnly() override { return false; }
  cef_errorcode_t GetError() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
  }
  void SetError(cef_errorcode_t error) override {
    std::lock_guard<std::mutex> lock(mutex_);
    error_ = error;
  }
  int GetStatus() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return status_;
  }
  void SetStatus(int status) override {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = status;
  }
  CefString GetStatusText() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return status_text_;
  }
  void SetStatusText(const CefString& statusText) override {
    std::lock_guard<std::mutex> lock(mutex_);
    status_text_ = statusText;
  }
  CefString GetMimeType() override {
    std::lock_guard<std::mutex> lock(mutex_);
    return mime_type_;
  }
  void SetMimeType(const CefString& mimeType) override {
    std::lock_guard<std::mutex> lock(mutex_);
    mime_type_ = mimeType;
  }
  // Header names compare without regard to case, as in HTTP.
  CefString GetHeader(const CefString& name) override {
    std::lock_guard<std::mutex> lock(mutex_);
    std::u16string wanted = cefsim::ToLowerAscii(cefsim::ToU16String(name));
    for (const auto& header : headers_) {
      if (cefsim::ToLowerAscii(cefsim::ToU16String(header.first)) == wanted)
        return header.second;
    }
    return CefString();
  }
  void GetHeaderMap(HeaderMap& headerMap) override {
    std::lock_guard<std::mutex> lock(mutex_);
    headerMap = headers_;
  }
  void SetHeaderMap(const HeaderMap& headerMap) override {
    std::lock_guard<std::mutex> lock(mutex_);
    headers_ = headerMap;
  }

 private:
  std::mutex mutex_;
  cef_errorcode_t error_ = ERR_NONE;
  int status_ = 0;
  CefString status_text_;
  CefString mime_type_;
  HeaderMap headers_;
  IMPLEMENT_REFCOUNTING(ResponseImpl);
};

}  // namespace

CefRefPtr<CefResponse> CefResponse::Create() {
  return new ResponseImpl();
}
