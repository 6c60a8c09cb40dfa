// Off-screen rendering.
// The stand-in reports none, so the handler declares no methods.
#ifndef CEF_INCLUDE_CEF_RENDER_HANDLER_H_
#define CEF_INCLUDE_CEF_RENDER_HANDLER_H_

#include "include/cef_base.h"

class CefRenderHandler : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_RENDER_HANDLER_H_
