#ifndef CEF_INCLUDE_INTERNAL_CEF_PTR_H_
#define CEF_INCLUDE_INTERNAL_CEF_PTR_H_

#include "include/base/cef_build.h"
#include "include/base/cef_ref_counted.h"

// Counted reference to a CEF object: CEF's scoped_refptr under another name,
// not a type of its own.
template <class T>
using CefRefPtr = scoped_refptr<T>;

// Plain pointer to an object that the callee must not keep beyond the call.
#define CEF_RAW_PTR_GET(r) r
template <class T>
using CefRawPtr = T*;

#endif  // CEF_INCLUDE_INTERNAL_CEF_PTR_H_
