// Document nodes. The stand-in has no DOM; the type exists for the render-process hooks that name it.
#ifndef CEF_INCLUDE_CEF_DOM_H_
#define CEF_INCLUDE_CEF_DOM_H_

#include "include/cef_base.h"

class CefDOMNode : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_DOM_H_
