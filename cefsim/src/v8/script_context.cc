#include "cefsim/src/v8/script_context.h"

#include "cefsim/src/v8/extensions.h"
#include "cefsim/src/v8/page_globals.h"
#include "cefsim/src/v8/v8_context_impl.h"

namespace cefsim {

ScriptContext::ScriptContext(CefRefPtr<CefBrowser> browser,
                             CefRefPtr<CefFrame> frame, ScriptHost* host)
    : context_(new CefV8ContextImpl(browser, frame)),
      globals_(std::make_shared<PageGlobals>(host, context_)) {
  globals_->Install();
  PageGlobals* globals = globals_.get();
  InstallExtensions(context_, [globals](CefRefPtr<CefV8Exception> exception) {
    globals->ReportUncaught(exception);
  });
}

ScriptContext::~ScriptContext() {
  globals_.reset();
  context_->Dispose();
}

CefRefPtr<CefV8Context> ScriptContext::context() const {
  return context_.get();
}

bool ScriptContext::RunScript(const CefString& source, const CefString& url,
                              int start_line) {
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  if (context_->Evaluate(ScriptSource{source, url, start_line}, retval,
                         exception))
    return true;
  if (exception)
    globals_->ReportUncaught(exception);
  return false;
}

CefString ScriptContext::title() const { return globals_->title(); }

void ScriptContext::SetDocumentTitle(const CefString& title) {
  globals_->SetDocumentTitle(title);
}

}  // namespace cefsim
