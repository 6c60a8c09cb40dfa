// What pages find on their global object besides the language's own:
// console.log (and its sibling levels), setTimeout and clearTimeout,
// location.href, document.title and window.
#ifndef CEFSIM_SRC_V8_PAGE_GLOBALS_H_
#define CEFSIM_SRC_V8_PAGE_GLOBALS_H_

#include <map>
#include <memory>

#include "include/cef_v8.h"
#include "v8/script_host.h"
#include "v8/v8_context_impl.h"

namespace cefsim {

class PageGlobals : public std::enable_shared_from_this<PageGlobals> {
 public:
  PageGlobals(ScriptHost* host, CefRefPtr<CefV8ContextImpl> context);

  // Puts them on the context's global object.
  void Install();

  // As Chrome's console shows it: "Uncaught ..." where it was thrown.
  void ReportUncaught(CefRefPtr<CefV8Exception> exception);

  void Log(const CefV8ValueList& arguments);
  int SetTimeout(const CefV8ValueList& arguments);
  void ClearTimeout(const CefV8ValueList& arguments);
  CefString url() { return host_->GetUrl(); }
  void Navigate(CefRefPtr<CefV8Value> url);
  const CefString& title() const { return title_; }
  void SetTitle(CefRefPtr<CefV8Value> title);
  // The document's own title, which is no change the host hears of.
  void SetDocumentTitle(const CefString& title) { title_ = title; }

 private:
  // A function to call, or else code to run.
  struct Timer {
    CefRefPtr<CefV8Value> callback;
    CefV8ValueList arguments;
    CefString code;
  };

  void FireTimer(int id);
  // String(value), as the context would make it.
  CefString ToDisplayString(CefRefPtr<CefV8Value> value);

  ScriptHost* const host_;
  const CefRefPtr<CefV8ContextImpl> context_;
  CefString title_;
  std::map<int, Timer> timers_;
  int next_timer_id_ = 1;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_PAGE_GLOBALS_H_
