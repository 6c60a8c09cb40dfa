// Title, address and status display.
// The stand-in reports console messages only, so the handler declares no
// other method.
#ifndef CEF_INCLUDE_CEF_DISPLAY_HANDLER_H_
#define CEF_INCLUDE_CEF_DISPLAY_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"

class CefDisplayHandler : public virtual CefBaseRefCounted {
 public:
  // UI thread. Returning true keeps the message out of the console's output.
  virtual bool OnConsoleMessage(CefRefPtr<CefBrowser> browser,
                                const CefString& message,
                                const CefString& source,
                                int line) {
    return false;
  }
};

#endif  // CEF_INCLUDE_CEF_DISPLAY_HANDLER_H_
