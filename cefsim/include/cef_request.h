// A resource request.
#ifndef CEF_INCLUDE_CEF_REQUEST_H_
#define CEF_INCLUDE_CEF_REQUEST_H_

#include "include/cef_base.h"

class CefRequest : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_REQUEST_H_
