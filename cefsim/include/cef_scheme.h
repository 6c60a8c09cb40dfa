// Custom schemes and scheme handler factories.
#ifndef CEF_INCLUDE_CEF_SCHEME_H_
#define CEF_INCLUDE_CEF_SCHEME_H_

#include "include/cef_base.h"

class CefSchemeRegistrar : public CefBaseScoped {
 public:
  virtual bool AddCustomScheme(const CefString& scheme_name,
                               bool is_standard,
                               bool is_local,
                               bool is_display_isolated,
                               bool is_secure,
                               bool is_cors_enabled,
                               bool is_csp_bypassing) = 0;
};

#endif  // CEF_INCLUDE_CEF_SCHEME_H_
