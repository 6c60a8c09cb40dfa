// A frame of a browser: the main frame or one of its sub-frames.
#ifndef CEF_INCLUDE_CEF_FRAME_H_
#define CEF_INCLUDE_CEF_FRAME_H_

#include "include/cef_base.h"

class CefBrowser;
class CefV8Context;

// Usable in both processes. A frame whose document went away, or whose
// render process ended, is no longer valid and ignores every call.
class CefFrame : public virtual CefBaseRefCounted {
 public:
  virtual bool IsValid() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void Delete() = 0;
  virtual void SelectAll() = 0;
  virtual void ViewSource() = 0;
  virtual void LoadURL(const CefString& url) = 0;
  // Runs in the frame's JavaScript context; empty code does nothing.
  virtual void ExecuteJavaScript(const CefString& code,
                                 const CefString& script_url,
                                 int start_line) = 0;
  virtual bool IsMain() = 0;
  virtual bool IsFocused() = 0;
  virtual CefString GetName() = 0;
  virtual int64 GetIdentifier() = 0;
  virtual CefRefPtr<CefFrame> GetParent() = 0;
  virtual CefString GetURL() = 0;
  virtual CefRefPtr<CefBrowser> GetBrowser() = 0;
  // Render process only, on the render thread; null elsewhere.
  virtual CefRefPtr<CefV8Context> GetV8Context() = 0;
};

#endif  // CEF_INCLUDE_CEF_FRAME_H_
