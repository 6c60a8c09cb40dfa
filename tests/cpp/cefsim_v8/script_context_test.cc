#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "fake_script_host.h"
#include "include/cef_v8.h"
#include "cefsim/src/v8/script_context.h"

namespace {

class ScriptContextTest : public testing::Test {
 protected:
  // Extensions that other tests registered may have logged already.
  void SetUp() override { host_.console.clear(); }

  std::string Text(const std::string& code) {
    CefRefPtr<CefV8Value> value = Eval(script_.context(), code);
    return value ? value->GetStringValue().ToString() : "<null>";
  }

  FakeScriptHost host_;
  cefsim::ScriptContext script_{nullptr, nullptr, &host_};
};

TEST_F(ScriptContextTest, UncaughtExceptionsGoToTheConsoleAndLaterScriptsRun) {
  EXPECT_FALSE(script_.RunScript("var x = 1;\nthrow new Error('boom');\n",
                                 "http://example.test/a.js", 1));
  EXPECT_FALSE(script_.RunScript("\nthrow 'plain';", "http://example.test/b.js",
                                 10));
  EXPECT_FALSE(script_.RunScript("var = ;", "http://example.test/c.js", 1));
  EXPECT_TRUE(script_.RunScript("x += 1;", "http://example.test/d.js", 1));
  EXPECT_EQ(Text("'' + x"), "2");

  ASSERT_EQ(host_.console.size(), 3u);
  EXPECT_EQ(host_.console[0].message, "Uncaught Error: boom");
  EXPECT_EQ(host_.console[0].source, "http://example.test/a.js");
  EXPECT_EQ(host_.console[0].line, 2);
  EXPECT_EQ(host_.console[1].message, "Uncaught plain");
  EXPECT_EQ(host_.console[2].message.rfind("Uncaught SyntaxError", 0), 0u)
      << host_.console[2].message;
  EXPECT_EQ(host_.console[2].source, "http://example.test/c.js");
}

TEST_F(ScriptContextTest, EvalReportsWhereTheExceptionWasThrown) {
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  EXPECT_FALSE(script_.context()->Eval("var a = 1;\n  null.f();\n",
                                       "http://example.test/e.js", 20, retval,
                                       exception));
  EXPECT_FALSE(retval);
  ASSERT_TRUE(exception);
  EXPECT_EQ(exception->GetMessage().ToString().rfind("Uncaught TypeError", 0),
            0u);
  EXPECT_EQ(exception->GetScriptResourceName().ToString(),
            "http://example.test/e.js");
  EXPECT_EQ(exception->GetLineNumber(), 21);
  EXPECT_EQ(exception->GetSourceLine().ToString(), "  null.f();");
  EXPECT_GE(exception->GetStartColumn(), 2);
  EXPECT_GT(exception->GetEndColumn(), exception->GetStartColumn());
  EXPECT_EQ(exception->GetStartPosition(),
            11 + exception->GetStartColumn());
  EXPECT_TRUE(host_.console.empty());
}

TEST_F(ScriptContextTest, ConsoleLogJoinsItsArgumentsAsStrings) {
  ASSERT_TRUE(script_.RunScript(
      "\n\nconsole.log('a', 1, 7.5, true, null, undefined, {}, [1, 2]);\n"
      "console.error(Symbol('s'), 'x');",
      "http://example.test/log.js", 1));
  ASSERT_EQ(host_.console.size(), 2u);
  EXPECT_EQ(host_.console[0].message,
            "a 1 7.5 true null undefined [object Object] 1,2");
  EXPECT_EQ(host_.console[0].source, "http://example.test/log.js");
  EXPECT_EQ(host_.console[0].line, 3);
  EXPECT_EQ(host_.console[1].message, "Symbol() x");
}

TEST_F(ScriptContextTest, TimersRunThroughTheHostAndCanBeCleared) {
  ASSERT_TRUE(script_.RunScript(
      "var order = [];\n"
      "setTimeout(function(a, b) { order.push(a + b); }, 25, 'x', 'y');\n"
      "var dropped = setTimeout(function() { order.push('dropped'); });\n"
      "setTimeout(\"order.push('code')\", -5);\n"
      "setTimeout(function() { throw new Error('in timer'); }, 1);\n"
      "clearTimeout(dropped);\n"
      "order.push('now');",
      "http://example.test/t.js", 1));
  ASSERT_EQ(host_.tasks.size(), 4u);
  EXPECT_EQ(host_.tasks[0].second, 25);
  EXPECT_EQ(host_.tasks[2].second, 0);
  EXPECT_EQ(Text("order.join()"), "now");
  host_.RunTasks();
  EXPECT_EQ(Text("order.join()"), "now,xy,code");
  ASSERT_EQ(host_.console.size(), 1u);
  EXPECT_EQ(host_.console[0].message, "Uncaught Error: in timer");
  EXPECT_EQ(host_.console[0].line, 5);
}

TEST_F(ScriptContextTest, LocationAndTitleGoThroughTheHost) {
  EXPECT_EQ(Text("location.href"), "http://example.test/page.html");
  EXPECT_EQ(Text("document.title"), "");
  Eval(script_.context(),
       "document.title = 'Hello'; location.href = 'http://example.test/next';");
  EXPECT_EQ(host_.titles, std::vector<std::string>{"Hello"});
  EXPECT_EQ(host_.navigations,
            std::vector<std::string>{"http://example.test/next"});
  EXPECT_EQ(Text("document.title"), "Hello");
  EXPECT_EQ(script_.title().ToString(), "Hello");
  EXPECT_TRUE(Eval(script_.context(), "window === this && window.window === window")
                  ->GetBoolValue());
}

TEST_F(ScriptContextTest, LocationHashAndWindowCloseGoThroughTheHost) {
  EXPECT_EQ(Text("location.hash"), "");
  Eval(script_.context(), "location.hash = 'x'; location.hash = '#y';");
  EXPECT_EQ(host_.navigations,
            (std::vector<std::string>{"http://example.test/page.html#x",
                                      "http://example.test/page.html#y"}));
  host_.url = "http://example.test/page.html#top";
  EXPECT_EQ(Text("location.hash"), "#top");
  Eval(script_.context(), "window.close(); close();");
  EXPECT_EQ(host_.close_requests, 2);
}

// As Chrome: listeners of "error" hear every uncaught error, syntax errors
// and timers' included; the console shows it unless one prevented that.
TEST_F(ScriptContextTest, ErrorListenersHearUncaughtErrorsBeforeTheConsole) {
  ASSERT_TRUE(script_.RunScript(
      "var heard = [];\n"
      "function note(e) {\n"
      "  heard.push([e.type, e.message, e.filename, e.lineno].join('|'));\n"
      "}\n"
      "window.addEventListener('error', note);\n"
      "addEventListener('error', note);  // The same listener counts once.\n",
      "http://example.test/a.js", 1));
  EXPECT_FALSE(script_.RunScript("\n\nmissing();", "http://example.test/b.js", 1));
  EXPECT_FALSE(script_.RunScript("var ok = 1;\nvar = ;", "http://example.test/c.js", 1));
  std::string heard = Text("heard.join('\\n')");
  EXPECT_THAT(heard, testing::MatchesRegex(
                         "error\\|Uncaught ReferenceError: [^|]*missing[^|]*\\|"
                         "http://example.test/b.js\\|3\n"
                         "error\\|Uncaught SyntaxError: [^|]*\\|"
                         "http://example.test/c.js\\|2"));
  ASSERT_EQ(host_.console.size(), 2u);
  EXPECT_EQ(host_.console[0].message.rfind("Uncaught ReferenceError", 0), 0u);
  EXPECT_EQ(host_.console[0].source, "http://example.test/b.js");
  EXPECT_EQ(host_.console[0].line, 3);
  EXPECT_EQ(host_.console[1].message.rfind("Uncaught SyntaxError", 0), 0u);
  EXPECT_EQ(host_.console[1].source, "http://example.test/c.js");
  EXPECT_EQ(host_.console[1].line, 2);

  // preventDefault() keeps an error off the console; a removed listener
  // hears nothing more; what a listener throws goes to the console alone.
  ASSERT_TRUE(script_.RunScript(
      "addEventListener('error', function (e) { e.preventDefault(); });\n"
      "setTimeout(function () { throw new Error('in timer'); }, 0);",
      "http://example.test/d.js", 1));
  host_.RunTasks();
  EXPECT_EQ(host_.console.size(), 2u);
  EXPECT_EQ(Text("heard.length + ' ' + heard[2]"),
            "3 error|Uncaught Error: in timer|http://example.test/d.js|2");
  ASSERT_TRUE(script_.RunScript(
      "removeEventListener('error', note);\n"
      "addEventListener('error', function () { throw new Error('listener'); });",
      "http://example.test/e.js", 1));
  EXPECT_FALSE(script_.RunScript("throw new Error('again');", "http://example.test/f.js", 1));
  EXPECT_EQ(Text("String(heard.length)"), "3");
  ASSERT_EQ(host_.console.size(), 3u);
  EXPECT_EQ(host_.console[2].message, "Uncaught Error: listener");
}

// As Blink's ErrorEvent.error: the very value thrown, whatever its type,
// from a script, a syntax error or a timer.
TEST_F(ScriptContextTest, ErrorEventsCarryTheThrownValue) {
  ASSERT_TRUE(script_.RunScript(
      "var errors = [], mine = {why: 'mine'};\n"
      "addEventListener('error', function (e) { errors.push(e.error); });\n",
      "http://example.test/a.js", 1));
  EXPECT_FALSE(script_.RunScript("throw mine;", "http://example.test/b.js", 1));
  EXPECT_FALSE(script_.RunScript("throw 5;", "http://example.test/c.js", 1));
  EXPECT_FALSE(script_.RunScript("var = ;", "http://example.test/d.js", 1));
  ASSERT_TRUE(script_.RunScript(
      "var late = new RangeError('late');\n"
      "setTimeout(function () { throw late; }, 0);",
      "http://example.test/e.js", 1));
  host_.RunTasks();
  EXPECT_EQ(Text("String([errors.length, errors[0] === mine, errors[1] === 5,"
                 " errors[2] instanceof SyntaxError, errors[3] === late])"),
            "4,true,true,true,true");
}

TEST_F(ScriptContextTest, UnhandledRejectionsReachListenersThenTheConsole) {
  ASSERT_TRUE(script_.RunScript("\nPromise.reject(new Error('nobody'));\n"
                                "Promise.reject(1).catch(function () {});",
                                "http://example.test/p.js", 1));
  ASSERT_EQ(host_.console.size(), 1u);
  EXPECT_EQ(host_.console[0].message, "Uncaught (in promise) Error: nobody");
  EXPECT_EQ(host_.console[0].source, "http://example.test/p.js");
  EXPECT_EQ(host_.console[0].line, 2);
  ASSERT_TRUE(script_.RunScript(
      "var reasons = [];\n"
      "addEventListener('unhandledrejection', function (e) {\n"
      "  reasons.push(e.type + ' ' + e.reason + ' ' + (e.promise instanceof Promise));\n"
      "  if (e.reason == 'quiet') e.preventDefault();\n"
      "});\n"
      "Promise.reject('quiet');\n"
      "Promise.reject('loud');",
      "http://example.test/q.js", 1));
  EXPECT_EQ(Text("reasons.join()"),
            "unhandledrejection quiet true,unhandledrejection loud true");
  ASSERT_EQ(host_.console.size(), 2u);
  EXPECT_EQ(host_.console[1].message, "Uncaught (in promise) loud");
}

TEST_F(ScriptContextTest, PerformanceCountsFromAnEpochTimeOriginAndNeverGoesBack) {
  auto epoch_ms = [] {
    return std::chrono::duration<double, std::milli>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  };
  const double before = epoch_ms();
  cefsim::ScriptContext page(nullptr, nullptr, &host_);
  const double after = epoch_ms();
  auto number = [&](const std::string& code) {
    return Eval(page.context(), code)->GetDoubleValue();
  };
  const double origin = number("performance.timeOrigin");
  EXPECT_GE(origin, before);
  EXPECT_LE(origin, after);
  EXPECT_EQ(number("performance.timeOrigin = 5; performance.timeOrigin"), origin);

  const double first = number("performance.now()");
  EXPECT_GE(first, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(3));
  EXPECT_GE(number("performance.now()"), first + 3);
  EXPECT_TRUE(Eval(page.context(),
                   "var last = performance.now(), back = false;"
                   "for (var i = 0; i < 1000; ++i) {"
                   "  var t = performance.now(); back = back || t < last; last = t;"
                   "} !back")
                  ->GetBoolValue());
}

TEST_F(ScriptContextTest, ContextsAreIsolatedFromEachOther) {
  cefsim::ScriptContext other(nullptr, nullptr, &host_);
  Eval(script_.context(), "var shared = 'first'; Array.prototype.extra = 1;");
  EXPECT_EQ(Text("shared"), "first");
  EXPECT_EQ(Eval(other.context(), "typeof shared + typeof [].extra")
                ->GetStringValue()
                .ToString(),
            "undefinedundefined");
  EXPECT_FALSE(script_.context()->IsSame(other.context()));
}

TEST_F(ScriptContextTest, EnterAndExitNestAndSetTheCurrentContext) {
  cefsim::ScriptContext other(nullptr, nullptr, &host_);
  EXPECT_FALSE(CefV8Context::InContext());
  EXPECT_FALSE(CefV8Context::GetCurrentContext());
  ASSERT_TRUE(script_.context()->Enter());
  ASSERT_TRUE(other.context()->Enter());
  EXPECT_TRUE(CefV8Context::GetCurrentContext()->IsSame(other.context()));
  EXPECT_TRUE(CefV8Context::GetEnteredContext()->IsSame(other.context()));
  // Exits pair up with Enters, innermost first.
  EXPECT_FALSE(script_.context()->Exit());
  EXPECT_TRUE(other.context()->Exit());
  EXPECT_TRUE(CefV8Context::GetCurrentContext()->IsSame(script_.context()));
  EXPECT_TRUE(script_.context()->Exit());
  EXPECT_FALSE(script_.context()->Exit());
  EXPECT_FALSE(CefV8Context::InContext());
}

TEST_F(ScriptContextTest, AGoneContextRunsNothingMore) {
  FakeScriptHost host;
  CefRefPtr<CefV8Context> context;
  CefRefPtr<CefV8Value> function;
  {
    cefsim::ScriptContext script(nullptr, nullptr, &host);
    context = script.context();
    host.console.clear();
    function = Eval(context, "setTimeout(function() { console.log('late'); });"
                             "(function() { return 1; })");
    EXPECT_TRUE(context->IsValid());
  }
  EXPECT_FALSE(context->IsValid());
  EXPECT_FALSE(function->IsValid());
  EXPECT_FALSE(function->IsFunction());
  EXPECT_FALSE(context->Enter());
  EXPECT_FALSE(context->GetGlobal());
  CefRefPtr<CefV8Value> retval;
  CefRefPtr<CefV8Exception> exception;
  EXPECT_FALSE(context->Eval("1", "", 1, retval, exception));
  host.RunTasks();
  EXPECT_TRUE(host.console.empty());
}

}  // namespace
