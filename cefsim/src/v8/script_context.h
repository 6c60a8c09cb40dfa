// The JavaScript context of one frame, as a frame of the render process uses
// it: made when the frame's document starts, with the page globals and every
// registered extension already run, and gone with the document. Used on the
// render thread only.
//
// The frame calls its render-process handler around it: OnContextCreated
// once this is constructed, OnContextReleased before it is destroyed.
#ifndef CEFSIM_SRC_V8_SCRIPT_CONTEXT_H_
#define CEFSIM_SRC_V8_SCRIPT_CONTEXT_H_

#include <memory>

#include "include/cef_browser.h"
#include "include/cef_frame.h"
#include "include/cef_v8.h"
#include "cefsim/src/v8/script_host.h"

namespace cefsim {

class CefV8ContextImpl;
class PageGlobals;

class ScriptContext {
 public:
  // |host| must outlive this; |browser| and |frame| may be null.
  ScriptContext(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                ScriptHost* host);
  // The context turns invalid; timers not yet run never run.
  ~ScriptContext();
  ScriptContext(const ScriptContext&) = delete;
  ScriptContext& operator=(const ScriptContext&) = delete;

  CefRefPtr<CefV8Context> context() const;

  // Runs one of the page's scripts. An uncaught exception goes to the
  // console and returns false; the page's later scripts still run.
  bool RunScript(const CefString& source, const CefString& url,
                 int start_line);

  // document.title as the page last set it.
  CefString title() const;
  // The title the document came with; the page has not set one.
  void SetDocumentTitle(const CefString& title);

 private:
  CefRefPtr<CefV8ContextImpl> context_;
  std::shared_ptr<PageGlobals> globals_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_SCRIPT_CONTEXT_H_
