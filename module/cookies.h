// CefCookieManager and CefCookie as Python sees them.
#ifndef ZUBRIX_MODULE_COOKIES_H_
#define ZUBRIX_MODULE_COOKIES_H_

#include <pybind11/pybind11.h>

#include "include/cef_cookie.h"

namespace zubrix {

// What a Python CefCookieManager owns: CEF's manager, or nothing when CEF
// gave none (as before Initialize).
struct PyCefCookieManager {
  CefRefPtr<CefCookieManager> manager;
};

// Called by Python holding the interpreter lock, from any of its threads: CEF's
// cookie manager may be used from any thread.
void RegisterCookieTypes(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_COOKIES_H_
