// A browser and its host.
#ifndef CEF_INCLUDE_CEF_BROWSER_H_
#define CEF_INCLUDE_CEF_BROWSER_H_

#include "include/cef_base.h"

class CefBrowser : public virtual CefBaseRefCounted {};

#endif  // CEF_INCLUDE_CEF_BROWSER_H_
