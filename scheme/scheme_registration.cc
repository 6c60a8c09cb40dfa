#include "scheme/scheme_registration.h"

#include "include/cef_scheme.h"
#include "scheme/plovex_client_scheme_handler_factory.h"

namespace zubrix {

void RegisterSchemeHandlerFactories() {
  // "client" is not a standard scheme, so CEF ignores the domain and both
  // registrations reach the same kind of factory; results are not examined.
  CefRegisterSchemeHandlerFactory("client", "internal",
                                  new PlovexClientSchemeHandlerFactory());
  CefRegisterSchemeHandlerFactory("client", "plovex",
                                  new PlovexClientSchemeHandlerFactory());
}

}  // namespace zubrix
