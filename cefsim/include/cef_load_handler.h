// Load notifications for a browser and its frames.
#ifndef CEF_INCLUDE_CEF_LOAD_HANDLER_H_
#define CEF_INCLUDE_CEF_LOAD_HANDLER_H_

#include "include/cef_base.h"

class CefLoadHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_LOAD_HANDLER_H_
