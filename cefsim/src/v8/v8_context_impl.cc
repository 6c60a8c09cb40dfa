#include "cefsim/src/v8/v8_context_impl.h"

#include <algorithm>

#include "cefsim/src/v8/js_string.h"
#include "cefsim/src/v8/v8_exception_impl.h"
#include "cefsim/src/v8/v8_value_impl.h"

namespace cefsim {

CefV8ContextImpl::CefV8ContextImpl(CefRefPtr<CefBrowser> browser,
                                   CefRefPtr<CefFrame> frame)
    : engine_(Engine::ForCurrentThread()),
      browser_(browser),
      frame_(frame),
      js_(JSGlobalContextCreateInGroup(engine_->group(), nullptr)) {
  engine_->Register(js_, this);
}

CefV8ContextImpl::~CefV8ContextImpl() { Dispose(); }

CefRefPtr<CefV8ContextImpl> CefV8ContextImpl::FromJs(JSContextRef ctx) {
  Engine* engine = Engine::CurrentIfAny();
  return engine ? engine->Find(ctx) : nullptr;
}

CefRefPtr<CefV8ContextImpl> CefV8ContextImpl::Current() {
  Engine* engine = Engine::CurrentIfAny();
  return engine ? engine->Current() : nullptr;
}

void CefV8ContextImpl::Dispose() {
  if (!js_)
    return;
  engine_->Unregister(js_);
  JSGlobalContextRelease(js_);
  js_ = nullptr;
}

bool CefV8ContextImpl::Evaluate(const ScriptSource& source,
                                CefRefPtr<CefV8Value>& retval,
                                CefRefPtr<CefV8Exception>& exception) {
  retval = nullptr;
  exception = nullptr;
  if (!IsValid())
    return false;
  JsString code(source.code);
  JsString url(source.url);
  JSValueRef thrown = nullptr;
  JSValueRef result;
  {
    ContextScope scope(this, Engine::EntryKind::kScope);
    result = JSEvaluateScript(js_, code.get(), nullptr,
                              source.url.empty() ? nullptr : url.get(),
                              std::max(source.start_line, 1), &thrown);
  }
  if (thrown) {
    exception = new CefV8ExceptionImpl(js_, thrown, &source, this);
    return false;
  }
  retval = CefV8ValueImpl::FromJs(this, result);
  return true;
}

CefRefPtr<CefTaskRunner> CefV8ContextImpl::GetTaskRunner() {
  return CefTaskRunner::GetForThread(TID_RENDERER);
}

bool CefV8ContextImpl::IsValid() {
  return js_ && engine_->BelongsToCurrentThread();
}

CefRefPtr<CefV8Value> CefV8ContextImpl::GetGlobal() {
  if (!IsValid())
    return nullptr;
  return CefV8ValueImpl::FromJs(this, JSContextGetGlobalObject(js_));
}

bool CefV8ContextImpl::Enter() {
  if (!IsValid())
    return false;
  engine_->Push(this, Engine::EntryKind::kEntered);
  return true;
}

bool CefV8ContextImpl::Exit() {
  return engine_->BelongsToCurrentThread() && engine_->PopEntered(this);
}

bool CefV8ContextImpl::IsSame(CefRefPtr<CefV8Context> that) {
  return that.get() == this;
}

bool CefV8ContextImpl::Eval(const CefString& code,
                            const CefString& script_url,
                            int start_line,
                            CefRefPtr<CefV8Value>& retval,
                            CefRefPtr<CefV8Exception>& exception) {
  return Evaluate(ScriptSource{code, script_url, start_line}, retval,
                  exception);
}

}  // namespace cefsim

CefRefPtr<CefV8Context> CefV8Context::GetCurrentContext() {
  return cefsim::CefV8ContextImpl::Current().get();
}

CefRefPtr<CefV8Context> CefV8Context::GetEnteredContext() {
  cefsim::Engine* engine = cefsim::Engine::CurrentIfAny();
  return engine ? engine->Entered().get() : nullptr;
}

bool CefV8Context::InContext() {
  cefsim::Engine* engine = cefsim::Engine::CurrentIfAny();
  return engine && engine->InContext();
}
