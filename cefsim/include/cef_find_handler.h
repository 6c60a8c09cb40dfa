// Find-in-page results.
// The stand-in reports none, so the handler declares no methods.
#ifndef CEF_INCLUDE_CEF_FIND_HANDLER_H_
#define CEF_INCLUDE_CEF_FIND_HANDLER_H_

#include "include/cef_base.h"

class CefFindHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_FIND_HANDLER_H_
