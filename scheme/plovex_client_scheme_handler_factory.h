// Gives CEF a fresh handler for every "client" request.
#ifndef ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_FACTORY_H_
#define ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_FACTORY_H_

#include "include/cef_scheme.h"

namespace zubrix {

class PlovexClientSchemeHandlerFactory : public CefSchemeHandlerFactory {
 public:
  PlovexClientSchemeHandlerFactory() {}

  // CefSchemeHandlerFactory: never null; the handler reads the URL from the
  // request that CEF passes to it next.
  CefRefPtr<CefResourceHandler> Create(CefRefPtr<CefBrowser> browser,
                                       CefRefPtr<CefFrame> frame,
                                       const CefString& scheme_name,
                                       CefRefPtr<CefRequest> request) override;

 private:
  IMPLEMENT_REFCOUNTING(PlovexClientSchemeHandlerFactory);
  DISALLOW_COPY_AND_ASSIGN(PlovexClientSchemeHandlerFactory);
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_PLOVEX_CLIENT_SCHEME_HANDLER_FACTORY_H_
