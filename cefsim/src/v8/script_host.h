// What a frame's script context asks of the frame that owns it.
#ifndef CEFSIM_SRC_V8_SCRIPT_HOST_H_
#define CEFSIM_SRC_V8_SCRIPT_HOST_H_

#include <cstdint>
#include <functional>

#include "include/internal/cef_string.h"

namespace cefsim {

// Called on the context's thread, from inside its scripts: none of these may
// destroy the ScriptContext before returning.
class ScriptHost {
 public:
  // A console.log call or an uncaught exception, with where it came from.
  virtual void AddConsoleMessage(const CefString& message,
                                 const CefString& source, int line) = 0;
  // Runs |task| on the context's thread after |delay_ms|. The task may run
  // after the context is gone; it then does nothing.
  virtual void PostDelayedTask(std::function<void()> task,
                               int64_t delay_ms) = 0;
  // location.href: reading it, and assigning it (a request to navigate).
  virtual CefString GetUrl() = 0;
  virtual void Navigate(const CefString& url) = 0;
  // document.title was assigned.
  virtual void OnTitleChange(const CefString& title) = 0;
  // window.close() was called.
  virtual void CloseWindow() = 0;

 protected:
  virtual ~ScriptHost() = default;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_SCRIPT_HOST_H_
