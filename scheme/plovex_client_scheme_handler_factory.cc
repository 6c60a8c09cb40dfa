#include "scheme/plovex_client_scheme_handler_factory.h"

#include "include/wrapper/cef_helpers.h"
#include "scheme/plovex_client_scheme_handler.h"

namespace zubrix {

CefRefPtr<CefResourceHandler> PlovexClientSchemeHandlerFactory::Create(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    const CefString& scheme_name,
    CefRefPtr<CefRequest> request) {
  CEF_REQUIRE_IO_THREAD();
  return new PlovexClientSchemeHandler();
}

}  // namespace zubrix
