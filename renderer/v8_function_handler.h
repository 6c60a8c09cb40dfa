// The native side of host.call_python_callback: checks the page's call and
// sends it to the browser process.
#ifndef ZUBRIX_RENDERER_V8_FUNCTION_HANDLER_H_
#define ZUBRIX_RENDERER_V8_FUNCTION_HANDLER_H_

#include "include/cef_v8.h"

namespace zubrix {

class V8FunctionHandler : public CefV8Handler {
 public:
  V8FunctionHandler() {}

  // True when the call was accepted and its message sent. Neither sets a
  // return value nor throws: the page sees undefined either way.
  bool Execute(const CefString& name,
               CefRefPtr<CefV8Value> object,
               const CefV8ValueList& arguments,
               CefRefPtr<CefV8Value>& retval,
               CefString& exception) override;

 private:
  IMPLEMENT_REFCOUNTING(V8FunctionHandler);
  DISALLOW_COPY_AND_ASSIGN(V8FunctionHandler);
};

}  // namespace zubrix

#endif  // ZUBRIX_RENDERER_V8_FUNCTION_HANDLER_H_
