// The context in which browsers load their resources. The stand-in has the
// global context only; an empty context given to a browser means that one.
#ifndef CEF_INCLUDE_CEF_REQUEST_CONTEXT_H_
#define CEF_INCLUDE_CEF_REQUEST_CONTEXT_H_

#include "include/cef_base.h"

class CefRequestContext : public virtual CefBaseRefCounted {
 public:
  static CefRefPtr<CefRequestContext> GetGlobalContext();

  virtual bool IsSame(CefRefPtr<CefRequestContext> other) = 0;
  virtual bool IsSharingWith(CefRefPtr<CefRequestContext> other) = 0;
  virtual bool IsGlobal() = 0;
};

#endif  // CEF_INCLUDE_CEF_REQUEST_CONTEXT_H_
