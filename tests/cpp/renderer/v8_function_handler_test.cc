#include <gtest/gtest.h>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "renderer/v8_function_handler.h"
#include "test_support/cef_thread.h"
#include "test_support/recording_browser.h"
#include "test_support/script_eval.h"

namespace zubrix {
namespace {

// Without a browser behind the context, even a well-formed call has nowhere
// to go: it is refused and nothing is thrown.
TEST(V8FunctionHandlerTest, ACallFromAContextWithoutABrowserIsRefused) {
  test_support::RunOnCefThread(TID_RENDERER, []() {
    cefsim_inspect::EnteredScriptContext script;
    CefRefPtr<CefV8Context> context = script.context();
    CefRefPtr<V8FunctionHandler> handler = new V8FunctionHandler;
    CefV8ValueList arguments = {CefV8Value::CreateInt(7),
                                Eval(context, "['a', 2, true]")};
    CefRefPtr<CefV8Value> retval;
    CefString exception;
    EXPECT_FALSE(handler->Execute("call_python_callback", nullptr, arguments,
                                  retval, exception));
    EXPECT_FALSE(retval);
    EXPECT_TRUE(exception.empty());
  });
  // Ends the thread's script engine with it, as a render process's end does.
  cefsim_inspect::StopThread(TID_RENDERER);
}

// CEF's IsInt also holds for a uint32 past INT32_MAX, whose GetIntValue is
// negative: such an id is refused, as any number that is no 32-bit signed
// integer, rather than sent wrapped. Negative ids go as they are.
TEST(V8FunctionHandlerTest, CallbackIdsMustBe32BitSignedIntegers) {
  test_support::RunOnCefThread(TID_RENDERER, []() {
    CefRefPtr<RecordingBrowser> browser = new RecordingBrowser;
    cefsim_inspect::EnteredScriptContext script(browser.get());
    CefRefPtr<CefV8Context> context = script.context();
    CefRefPtr<V8FunctionHandler> handler = new V8FunctionHandler;
    auto call = [&](const char* id) {
      CefRefPtr<CefV8Value> retval;
      CefString exception;
      const CefV8ValueList arguments = {Eval(context, id), Eval(context, "[1]")};
      const bool taken = handler->Execute("call_python_callback", nullptr,
                                          arguments, retval, exception);
      EXPECT_TRUE(exception.empty());
      return taken;
    };
    for (const char* refused : {"3000000000", "2147483648", "4294967295",
                                "1.5", "-0", "1e300"}) {
      EXPECT_FALSE(call(refused)) << refused;
    }
    EXPECT_TRUE(browser->sent.empty());
    ASSERT_TRUE(call("-1294967296"));
    ASSERT_TRUE(call("2147483647"));
    ASSERT_EQ(browser->sent.size(), 2u);
    EXPECT_EQ(browser->sent[0]->GetArgumentList()->GetInt(0), -1294967296);
    EXPECT_EQ(browser->sent[1]->GetArgumentList()->GetInt(0), 2147483647);
  });
  cefsim_inspect::StopThread(TID_RENDERER);
}

}  // namespace
}  // namespace zubrix
