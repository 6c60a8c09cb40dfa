// A JavaScript exception as V8 reports it: "Uncaught " and the thrown value
// as a string, with where it was thrown. Plain data, usable on any thread;
// the thrown value itself, kept for the page's error event, only on the
// render thread.
#ifndef CEFSIM_SRC_V8_V8_EXCEPTION_IMPL_H_
#define CEFSIM_SRC_V8_V8_EXCEPTION_IMPL_H_

#include <JavaScriptCore/JavaScript.h>

#include "include/cef_v8.h"
#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {

class CefV8ExceptionImpl : public CefV8Exception {
 public:
  // |source|, when given, is the script that was running; it supplies the
  // source line when the exception was thrown in it. |context|, when given,
  // is where |exception| was thrown: the exception then keeps the value.
  CefV8ExceptionImpl(JSContextRef ctx, JSValueRef exception,
                     const ScriptSource* source,
                     CefRefPtr<CefV8ContextImpl> context = nullptr);

  // The thrown value, or null when no context was given.
  CefRefPtr<CefV8Value> thrown() const { return thrown_; }

  CefString GetMessage() override { return message_; }
  CefString GetSourceLine() override { return source_line_; }
  CefString GetScriptResourceName() override { return resource_name_; }
  int GetLineNumber() override { return line_number_; }
  int GetStartPosition() override { return start_position_; }
  int GetEndPosition() override { return start_position_ + 1; }
  int GetStartColumn() override { return start_column_; }
  int GetEndColumn() override { return start_column_ + 1; }

 private:
  void LocateInSource(const ScriptSource& source);

  CefString message_;
  CefString source_line_;
  CefString resource_name_;
  int line_number_ = 0;
  int start_position_ = 0;
  int start_column_ = 0;
  CefRefPtr<CefV8Value> thrown_;

  IMPLEMENT_REFCOUNTING(CefV8ExceptionImpl);
};

// The Error a client's exception string becomes in the script.
JSValueRef MakeJsError(JSContextRef ctx, const CefString& message);

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_V8_EXCEPTION_IMPL_H_
