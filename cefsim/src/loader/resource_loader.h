// Serves one URL the way CEF's IO thread drives a CefResourceHandler:
// ProcessRequest, GetResponseHeaders once the handler has continued, then
// ReadResponse until it reports the end.
#ifndef CEFSIM_SRC_LOADER_RESOURCE_LOADER_H_
#define CEFSIM_SRC_LOADER_RESOURCE_LOADER_H_

#include <functional>
#include <string>

#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/internal/cef_types.h"

namespace cefsim {

struct LoadResult {
  // False when the request failed or was cancelled; |error| then says why.
  bool ok = false;
  cef_errorcode_t error = ERR_NONE;
  // The URL finally served, after any redirects.
  std::string url;
  int status = 0;
  std::string mime_type;
  std::string body;
};

// Runs on TID_IO and calls |done| there once. When no IO thread runs, |done|
// is called at once on the calling thread with ERR_ABORTED.
void LoadResource(const std::string& url,
                  CefRefPtr<CefBrowser> browser,
                  CefRefPtr<CefFrame> frame,
                  cef_resource_type_t resource_type,
                  std::function<void(LoadResult)> done);

}  // namespace cefsim

#endif  // CEFSIM_SRC_LOADER_RESOURCE_LOADER_H_
