// The scheme handler factories that CefRegisterSchemeHandlerFactory records,
// and their lookup for a request.
#ifndef CEFSIM_SRC_LOADER_SCHEME_REGISTRY_H_
#define CEFSIM_SRC_LOADER_SCHEME_REGISTRY_H_

#include "include/cef_scheme.h"

namespace cefsim {

// Asks the factory registered for the request's URL for a handler, as CEF
// does on its IO thread: for a standard scheme the factory of the URL's host
// and else the scheme's catch-all one; for any other scheme the one factory
// of the scheme. Null when none is registered or the factory gives none.
CefRefPtr<CefResourceHandler> CreateSchemeHandler(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    CefRefPtr<CefRequest> request);

}  // namespace cefsim

#endif  // CEFSIM_SRC_LOADER_SCHEME_REGISTRY_H_
