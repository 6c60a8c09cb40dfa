// A browser's creation and closing, on the UI thread.
#ifndef CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_
#define CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_

#include "include/cef_base.h"
#include "include/cef_browser.h"

class CefLifeSpanHandler : public virtual CefBaseRefCounted {
 public:
  virtual void OnAfterCreated(CefRefPtr<CefBrowser> browser) {}
  // False lets the browser's window be destroyed.
  virtual bool DoClose(CefRefPtr<CefBrowser> browser) { return false; }
  // The last call for |browser|; its frames are gone afterwards.
  virtual void OnBeforeClose(CefRefPtr<CefBrowser> browser) {}
};

#endif  // CEF_INCLUDE_CEF_LIFE_SPAN_HANDLER_H_
