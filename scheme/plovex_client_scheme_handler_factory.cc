#include "scheme/plovex_client_scheme_handler_factory.h"

#include "scheme/plovex_client_scheme_handler.h"

namespace zubrix {

CefRefPtr<CefResourceHandler> PlovexClientSchemeHandlerFactory::Create(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    const CefString& scheme_name,
    CefRefPtr<CefRequest> request) {
  return new PlovexClientSchemeHandler();
}

}  // namespace zubrix
