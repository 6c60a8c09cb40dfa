// A frame of a browser.
#ifndef CEF_INCLUDE_CEF_FRAME_H_
#define CEF_INCLUDE_CEF_FRAME_H_

#include "include/cef_base.h"

class CefFrame : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_FRAME_H_
