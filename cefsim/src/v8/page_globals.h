// What pages find on their global object besides the language's own:
// console.log (and its sibling levels), setTimeout and clearTimeout,
// performance.now and performance.timeOrigin, location.href and hash,
// document.title, and window with close() and the listeners of uncaught
// errors.
#ifndef CEFSIM_SRC_V8_PAGE_GLOBALS_H_
#define CEFSIM_SRC_V8_PAGE_GLOBALS_H_

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "include/cef_v8.h"
#include "cefsim/src/v8/script_host.h"
#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {

class PageGlobals : public std::enable_shared_from_this<PageGlobals> {
 public:
  PageGlobals(ScriptHost* host, CefRefPtr<CefV8ContextImpl> context);

  // Puts them on the context's global object.
  void Install();

  // As Chrome reports it: an "error" event to the window's listeners, then,
  // unless one of them called preventDefault(), "Uncaught ..." on the
  // console where it was thrown.
  void ReportUncaught(CefRefPtr<CefV8Exception> exception);
  // A promise rejected with nobody to handle it: an "unhandledrejection"
  // event, then "Uncaught (in promise) ..." on the console.
  void ReportUnhandledRejection(const CefV8ValueList& arguments);

  // window.addEventListener and removeEventListener; the stand-in only ever
  // fires "error" and "unhandledrejection".
  void AddEventListener(const CefV8ValueList& arguments);
  void RemoveEventListener(const CefV8ValueList& arguments);
  void CloseWindow() { host_->CloseWindow(); }

  void Log(const CefV8ValueList& arguments);
  int SetTimeout(const CefV8ValueList& arguments);
  void ClearTimeout(const CefV8ValueList& arguments);
  // Milliseconds since the time origin, on a clock that never goes back.
  double Now() const;
  CefString url() { return host_->GetUrl(); }
  void Navigate(CefRefPtr<CefV8Value> url);
  // location.hash assigned.
  void NavigateToFragment(CefRefPtr<CefV8Value> fragment);
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
  // Calls the listeners of |type| with an event that |fill| completes;
  // true if one of them called preventDefault(). What a listener throws goes
  // to the console only.
  bool DispatchEvent(const std::string& type,
                     const std::function<void(CefRefPtr<CefV8Value>)>& fill);
  void ReportToConsole(CefRefPtr<CefV8Exception> exception);
  // String(value), as the context would make it.
  CefString ToDisplayString(CefRefPtr<CefV8Value> value);

  ScriptHost* const host_;
  const CefRefPtr<CefV8ContextImpl> context_;
  CefString title_;
  // When the page's globals came, on the monotonic clock and as
  // milliseconds since the Unix epoch: together they let another process
  // compare its clock with the page's.
  const std::chrono::steady_clock::time_point origin_;
  const double origin_epoch_ms_;
  std::map<int, Timer> timers_;
  std::map<std::string, std::vector<CefRefPtr<CefV8Value>>> listeners_;
  CefRefPtr<CefV8Handler> binding_;
  int next_timer_id_ = 1;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_PAGE_GLOBALS_H_
