#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_script_host.h"
#include "include/cef_v8.h"
#include "cefsim/src/v8/script_context.h"

namespace {

class TestHandler : public CefV8Handler {
 public:
  bool Execute(const CefString& name, CefRefPtr<CefV8Value> object,
               const CefV8ValueList& arguments, CefRefPtr<CefV8Value>& retval,
               CefString& exception) override {
    if (name == "Echo") {
      // Each argument's type, so that tests see what arrived.
      std::string types;
      for (const CefRefPtr<CefV8Value>& argument : arguments) {
        types += argument->IsUndefined() ? "u"
                 : argument->IsInt()     ? std::to_string(argument->GetIntValue())
                 : argument->IsString()  ? argument->GetStringValue().ToString()
                                         : "?";
        types += ";";
      }
      retval = CefV8Value::CreateString(types);
    } else if (name == "Fail") {
      exception = "failed on purpose";
    } else if (name == "Decline") {
      retval = CefV8Value::CreateInt(1);
      return false;
    } else if (name == "Where") {
      current = CefV8Context::GetCurrentContext();
      receiver = object;
      retval = CefV8Value::CreateBool(CefV8Context::InContext());
    }
    return true;
  }

  CefRefPtr<CefV8Context> current;
  CefRefPtr<CefV8Value> receiver;
  IMPLEMENT_REFCOUNTING(TestHandler);
};

TestHandler* g_handler = nullptr;

class ExtensionTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (g_handler)
      return;
    g_handler = new TestHandler;
    g_handler->AddRef();  // Registered for the whole process.
    ASSERT_TRUE(CefRegisterExtension(
        "v8/broken", "var brokenRan = true; throw new Error('ext broke');",
        nullptr));
    ASSERT_TRUE(CefRegisterExtension("v8/test", R"(
      var ext = {};
      (function() {
        native function Echo();
        native function Fail(reason);
        native   function
          Decline( );
        native function Where();
        ext.echo = function() { return Echo.apply(this, arguments); };
        ext.echoTwo = function(a, b) { return Echo(a, b); };
        ext.fail = function() { return Fail(); };
        ext.decline = function() { return Decline(); };
        ext.where = function() { return Where(); };
        ext.line = function() { throw new Error('at line 14'); };
      })();
      var firstPageScriptSeesExt = typeof ext;
    )",
                                     g_handler));
  }

  std::string Text(cefsim::ScriptContext& script, const std::string& code) {
    CefRefPtr<CefV8Value> value = Eval(script.context(), code);
    return value ? value->GetStringValue().ToString() : "<null>";
  }

  FakeScriptHost host_;
};

TEST_F(ExtensionTest, RegistrationRefusesEmptyAndRepeatedNames) {
  EXPECT_FALSE(CefRegisterExtension("", "var x;", nullptr));
  EXPECT_FALSE(CefRegisterExtension("v8/empty", "", nullptr));
  EXPECT_FALSE(CefRegisterExtension("v8/test", "var x;", nullptr));
}

TEST_F(ExtensionTest, NativeFunctionsGetExactlyTheArgumentsPassed) {
  cefsim::ScriptContext script(nullptr, nullptr, &host_);
  EXPECT_EQ(Text(script, "ext.echo()"), "");
  EXPECT_EQ(Text(script, "ext.echo(1, 'b', undefined)"), "1;b;u;");
  EXPECT_EQ(Text(script, "ext.echoTwo(7)"), "7;u;");
}

TEST_F(ExtensionTest, NativeDeclarationsAreVisibleOnlyWhereDeclared) {
  cefsim::ScriptContext script(nullptr, nullptr, &host_);
  EXPECT_EQ(Text(script,
                 "[typeof Echo, typeof $cefsimNatives, "
                 "typeof $cefsimExtensionScope, typeof ext].join()"),
            "undefined,undefined,undefined,object");
}

TEST_F(ExtensionTest, HandlerResultsBecomeReturnValuesOrExceptions) {
  cefsim::ScriptContext script(nullptr, nullptr, &host_);
  EXPECT_EQ(Text(script,
                 "try { ext.fail(); 'no' } catch (e) { "
                 "(e instanceof Error) + ' ' + e.message }"),
            "true failed on purpose");
  // Not handled: the call's value is undefined, whatever retval held.
  EXPECT_EQ(Text(script, "typeof ext.decline()"), "undefined");
}

TEST_F(ExtensionTest, HandlersRunInTheCallingContext) {
  cefsim::ScriptContext first(nullptr, nullptr, &host_);
  cefsim::ScriptContext second(nullptr, nullptr, &host_);
  EXPECT_TRUE(Eval(second.context(), "ext.where()")->GetBoolValue());
  EXPECT_TRUE(g_handler->current->IsSame(second.context()));
  EXPECT_TRUE(Eval(first.context(), "ext.where()")->GetBoolValue());
  EXPECT_TRUE(g_handler->current->IsSame(first.context()));
  EXPECT_TRUE(g_handler->receiver->IsObject());
  g_handler->current = nullptr;
  g_handler->receiver = nullptr;
  EXPECT_FALSE(CefV8Context::InContext());
}

TEST_F(ExtensionTest, EveryNewContextRunsEachExtensionBeforeThePage) {
  for (int i = 0; i < 2; ++i) {
    host_.console.clear();
    cefsim::ScriptContext script(nullptr, nullptr, &host_);
    EXPECT_EQ(Text(script, "firstPageScriptSeesExt"), "object");
    // The extension that threw was reported and did not stop the next one.
    EXPECT_TRUE(Eval(script.context(), "brokenRan")->GetBoolValue());
    ASSERT_EQ(host_.console.size(), 1u);
    EXPECT_EQ(host_.console[0].message, "Uncaught Error: ext broke");
    EXPECT_EQ(host_.console[0].source, "v8/broken");
    EXPECT_EQ(host_.console[0].line, 1);
  }
}

TEST_F(ExtensionTest, RewrittenDeclarationsKeepLineNumbers) {
  cefsim::ScriptContext script(nullptr, nullptr, &host_);
  EXPECT_EQ(Text(script, "try { ext.line() } catch (e) { '' + e.line }"),
            "14");
}

}  // namespace
