// A JavaScript context: one global object, made on and bound to the calling
// thread's engine.
#ifndef CEFSIM_SRC_V8_V8_CONTEXT_IMPL_H_
#define CEFSIM_SRC_V8_V8_CONTEXT_IMPL_H_

#include <JavaScriptCore/JavaScript.h>

#include <memory>

#include "include/cef_v8.h"
#include "cefsim/src/v8/engine.h"

namespace cefsim {

// Where a script came from, for the source lines of its exceptions.
struct ScriptSource {
  CefString code;
  CefString url;
  int start_line;
};

class CefV8ContextImpl : public CefV8Context {
 public:
  CefV8ContextImpl(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame);
  ~CefV8ContextImpl() override;

  // The live context |ctx| belongs to, or null.
  static CefRefPtr<CefV8ContextImpl> FromJs(JSContextRef ctx);
  // The top of the calling thread's context stack, or null.
  static CefRefPtr<CefV8ContextImpl> Current();

  const std::shared_ptr<Engine>& engine() const { return engine_; }
  // Null once disposed.
  JSGlobalContextRef js() const { return js_; }

  // Ends the context: IsValid() turns false and nothing runs in it again.
  // Its owner calls this once, on the context's thread, with no script of
  // the context running.
  void Dispose();

  // Eval, with the source kept for the exception's source line.
  bool Evaluate(const ScriptSource& source, CefRefPtr<CefV8Value>& retval,
                CefRefPtr<CefV8Exception>& exception);

  CefRefPtr<CefTaskRunner> GetTaskRunner() override;
  bool IsValid() override;
  CefRefPtr<CefBrowser> GetBrowser() override { return browser_; }
  CefRefPtr<CefFrame> GetFrame() override { return frame_; }
  CefRefPtr<CefV8Value> GetGlobal() override;
  bool Enter() override;
  bool Exit() override;
  bool IsSame(CefRefPtr<CefV8Context> that) override;
  bool Eval(const CefString& code,
            const CefString& script_url,
            int start_line,
            CefRefPtr<CefV8Value>& retval,
            CefRefPtr<CefV8Exception>& exception) override;

 private:
  const std::shared_ptr<Engine> engine_;
  const CefRefPtr<CefBrowser> browser_;
  const CefRefPtr<CefFrame> frame_;
  JSGlobalContextRef js_;

  IMPLEMENT_REFCOUNTING(CefV8ContextImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_V8_V8_CONTEXT_IMPL_H_
