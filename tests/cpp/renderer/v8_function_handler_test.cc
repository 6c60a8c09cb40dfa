#include <gtest/gtest.h>

#include "fake_script_host.h"
#include "renderer/v8_function_handler.h"
#include "test_support/cef_thread.h"
#include "threads/named_threads.h"
#include "v8/script_context.h"

namespace zubrix {
namespace {

// Without a browser behind the context, even a well-formed call has nowhere
// to go: it is refused and nothing is thrown.
TEST(V8FunctionHandlerTest, ACallFromAContextWithoutABrowserIsRefused) {
  test_support::RunOnCefThread(TID_RENDERER, []() {
    FakeScriptHost host;
    cefsim::ScriptContext script(nullptr, nullptr, &host);
    CefRefPtr<CefV8Context> context = script.context();
    ASSERT_TRUE(context->Enter());
    CefRefPtr<V8FunctionHandler> handler = new V8FunctionHandler;
    CefV8ValueList arguments = {CefV8Value::CreateInt(7),
                                Eval(context, "['a', 2, true]")};
    CefRefPtr<CefV8Value> retval;
    CefString exception;
    EXPECT_FALSE(handler->Execute("call_python_callback", nullptr, arguments,
                                  retval, exception));
    EXPECT_FALSE(retval);
    EXPECT_TRUE(exception.empty());
    EXPECT_TRUE(context->Exit());
  });
  // Ends the thread's script engine with it, as a render process's end does.
  cefsim::StopNamedThread(TID_RENDERER);
}

}  // namespace
}  // namespace zubrix
