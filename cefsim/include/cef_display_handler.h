// Title, address and status display.
// The stand-in reports none, so the handler declares no methods.
#ifndef CEF_INCLUDE_CEF_DISPLAY_HANDLER_H_
#define CEF_INCLUDE_CEF_DISPLAY_HANDLER_H_

#include "include/cef_base.h"

class CefDisplayHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_DISPLAY_HANDLER_H_
