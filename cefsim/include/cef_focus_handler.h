// Focus changes.
// The stand-in reports none, so the handler declares no methods.
#ifndef CEF_INCLUDE_CEF_FOCUS_HANDLER_H_
#define CEF_INCLUDE_CEF_FOCUS_HANDLER_H_

#include "include/cef_base.h"

class CefFocusHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_FOCUS_HANDLER_H_
