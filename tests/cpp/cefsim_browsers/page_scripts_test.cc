// Page scripts in their frames' contexts: order, code from the load start
// arriving while the page runs, exceptions, the render-process handler's
// context hooks, extensions with native functions, and scripts that never
// end.
#include <algorithm>
#include <chrono>
#include <thread>

#include "browser_fixture.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace {

using testing::ElementsAre;

std::string Id(CefRefPtr<CefBrowser> browser) {
  return std::to_string(browser->GetIdentifier());
}

std::vector<cefsim_inspect::ConsoleRecord> RecordsOf(
    CefRefPtr<CefBrowser> browser) {
  std::vector<cefsim_inspect::ConsoleRecord> records;
  for (const auto& record : cefsim_inspect::ConsoleMessages()) {
    if (record.browser_id == browser->GetIdentifier())
      records.push_back(record);
  }
  return records;
}

TEST_F(BrowserTest, ScriptsRunInDocumentOrderAndAFailureStopsOnlyItself) {
  std::string external = WriteFile("external.js", "console.log('external');");
  std::string page = WriteFile(
      "page.html",
      "<title>The page</title>"
      "<script>console.log('inline', document.title);</script>"
      "<script src='external.js'></script>"
      "<script src='missing.js'></script>"
      "<script>\nthrow new Error('boom');</script>"
      "<script type='text/plain'>console.log('not javascript');</script>"
      "<script>console.log(location.href);</script>");
  CefRefPtr<CefBrowser> browser = Create(page);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(Console(browser),
              ElementsAre("inline The page", "external",
                          "Failed to load resource: net::ERR_FILE_NOT_FOUND",
                          "Uncaught Error: boom", page));
  std::vector<cefsim_inspect::ConsoleRecord> records = RecordsOf(browser);
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[1].source, external);
  EXPECT_EQ(records[1].frame_url, page);
  EXPECT_EQ(records[3].line, 2);
  EXPECT_EQ(records[3].source, page);
}

// As Chrome reports an uncaught error: to the page's "error" listeners, then
// to the console as "Uncaught ..." with its script's URL and line; syntax
// errors, timers and rejected promises included.
TEST_F(BrowserTest, UncaughtErrorsReachThePagesListenersAndTheConsole) {
  std::string bad = WriteFile("bad.js", "\nundefinedCall();");
  std::string page = WriteFile(
      "page.html",
      "<script>addEventListener('error', function (e) {\n"
      "  console.log('heard', e.filename.split('/').pop(), e.lineno); });"
      "</script>\n"
      "<script>\n\nvar = ;</script><script src='bad.js'></script>\n"
      "<script>setTimeout(function () {\n"
      "  Promise.reject(new Error('late')); }, 0)</script>");
  CefRefPtr<CefBrowser> browser = Create(page);
  ASSERT_TRUE(WaitLoaded(browser));
  std::vector<cefsim_inspect::ConsoleRecord> records = RecordsOf(browser);
  for (int i = 0; i < 500 && records.size() < 5; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    records = RecordsOf(browser);
  }
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[0].message, "heard page.html 5");
  EXPECT_EQ(records[1].message.rfind("Uncaught SyntaxError: ", 0), 0u);
  EXPECT_EQ(records[1].source, page);
  EXPECT_EQ(records[1].line, 5);
  EXPECT_EQ(records[2].message, "heard bad.js 2");
  EXPECT_EQ(records[3].message.rfind("Uncaught ReferenceError: ", 0), 0u);
  EXPECT_EQ(records[3].source, bad);
  EXPECT_EQ(records[3].line, 2);
  EXPECT_EQ(records[4].message, "Uncaught (in promise) Error: late");
  EXPECT_EQ(records[4].source, page);
  EXPECT_EQ(records[4].line, 7);
}

// A page script that logs what it sees of |early| at once, and again once
// the load handler's code has defined it.
std::string WaitingScript(const std::string& who) {
  return "<script>console.log('" + who + " page', typeof early);"
         "(function wait() {"
         "  if (typeof early == 'undefined') setTimeout(wait, 5);"
         "  else console.log('" + who + " sees', early);"
         "})();</script>";
}

TEST_F(BrowserTest, PagesRunWithoutWaitingForWhatTheLoadStartExecutes) {
  std::string child = WriteFile("child.html", WaitingScript("child"));
  std::string main = WriteFile(
      "main.html", WaitingScript("main") + "<iframe src='child.html'></iframe>");
  client_->on_load_start = [](CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame) {
    // Slow enough that each frame's first script has run meanwhile.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    frame->ExecuteJavaScript(
        "var early = 1; console.log('load start', location.href);", "", 1);
  };
  CefRefPtr<CefBrowser> browser = Create(main);
  ASSERT_TRUE(WaitLoaded(browser));
  std::vector<std::string> console;
  for (int i = 0; i < 1000 && console.size() < 6; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    console = Console(browser);
  }
  std::vector<std::string> sorted = console;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::string>{
                        "child page undefined", "child sees 1",
                        "load start " + child, "load start " + main,
                        "main page undefined", "main sees 1"}));
  auto at = [&console](const std::string& line) {
    return std::find(console.begin(), console.end(), line) - console.begin();
  };
  EXPECT_LT(at("main page undefined"), at("load start " + main));
  EXPECT_LT(at("child page undefined"), at("load start " + child));
  // The load handler still hears of the main frame before its sub-frame.
  EXPECT_THAT(client_->Lines("load_start"),
              ElementsAre("load_start main " + main,
                          "load_start sub " + child));
}

// As CefV8ValueImpl::IsInt and IsUInt: both hold for any int32 or uint32.
TEST_F(BrowserTest, PagesSeeTheTypeTestsWithCefsMeaning) {
  CefRefPtr<CefBrowser> browser = Create(
      "data:text/html,<script>"
      "var cases = [7, 7.0, 7.5, -1, 2147483648, 4294967296, [1, 2],"
      "  {length: 1}, 'x', true, null, undefined, function() {}, new Date(0)];"
      "for (var i = 0; i < cases.length; i++)"
      "  console.log(test.describe(cases[i]));"
      "</script>");
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(Console(browser),
              ElementsAre("int,uint,double", "int,uint,double", "double",
                          "int,uint,double", "int,uint,double", "double",
                          "object,array", "object", "string", "bool", "null",
                          "undefined", "object,function", "date,object"));
}

TEST_F(BrowserTest, NativeFunctionsSendFromTheCallingFramesBrowser) {
  std::string child = WriteFile(
      "child.html", "<script>test.send('hello', 'from child');</script>");
  std::string main = WriteFile(
      "main.html",
      "<script>test.send('hello', 1, 'two', 2.5, true);</script>"
      "<iframe src='child.html'></iframe>");
  CefRefPtr<CefBrowser> browser = Create(main);
  ASSERT_TRUE(WaitLoaded(browser));
  std::vector<CefRefPtr<CefListValue>> hellos;
  for (const auto& message : client_->Messages("hello"))
    hellos.push_back(message.arguments);
  ASSERT_EQ(hellos.size(), 2u);
  ASSERT_EQ(hellos[0]->GetSize(), 5u);
  EXPECT_EQ(hellos[0]->GetString(0).ToString(), main);
  EXPECT_EQ(hellos[0]->GetInt(1), 1);
  EXPECT_EQ(hellos[0]->GetString(2).ToString(), "two");
  EXPECT_EQ(hellos[0]->GetDouble(3), 2.5);
  EXPECT_TRUE(hellos[0]->GetBool(4));
  EXPECT_EQ(hellos[1]->GetString(0).ToString(), child);
  EXPECT_EQ(hellos[1]->GetString(1).ToString(), "from child");
}

// Each context hook the render side reported, with what the context
// answered.
std::vector<std::string> ContextHooks(RecordingClient* client) {
  std::vector<std::string> hooks;
  for (const auto& message : client->Messages("context_")) {
    CefRefPtr<CefListValue> args = message.arguments;
    if (message.name == "context_created") {
      bool own = args->GetBool(1) && args->GetBool(2) && args->GetBool(3);
      hooks.push_back("created " + args->GetString(0).ToString() +
                      (own ? " own " : " foreign ") +
                      args->GetString(4).ToString());
    } else {
      hooks.push_back("released " + args->GetString(0).ToString() +
                      (args->GetBool(1) ? " valid" : " invalid"));
    }
  }
  return hooks;
}

TEST_F(BrowserTest, EachDocumentHasAContextOfItsOwnReleasedWhenItGoes) {
  std::string child = WriteFile("child.html", "c");
  std::string first = WriteFile("first.html", "<iframe src='child.html'>");
  std::string second = WriteFile("second.html", "s");
  CefRefPtr<CefBrowser> browser = Create(first);
  ASSERT_TRUE(WaitLoaded(browser));
  browser->GetMainFrame()->LoadURL(second);
  ASSERT_TRUE(WaitLoaded(browser));
  // Sub-frames go before their parent; every context comes with the
  // extensions already run.
  EXPECT_THAT(ContextHooks(client_.get()),
              ElementsAre("created " + first + " own object",
                          "created " + child + " own object",
                          "released " + child + " valid",
                          "released " + first + " valid",
                          "created " + second + " own object"));
}

TEST_F(BrowserTest, RenderSideFramesRunJavaScriptInTheirContext) {
  CefRefPtr<CefBrowser> browser =
      Create("data:text/html,<title>T</title><script>var fromPage = 3;</script>");
  ASSERT_TRUE(WaitLoaded(browser));
  auto eval = [&](const std::string& code) {
    CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("eval");
    message->GetArgumentList()->SetString(0, code);
    size_t before = client_->Messages("eval").size();
    browser->SendProcessMessage(PID_RENDERER, message);
    client_->WaitForCount("message eval", before + 1);
    std::vector<cefsim_inspect::ClientEvent> answers =
        client_->Messages("eval");
    return answers.size() > before
               ? answers.back().arguments->GetString(0).ToString()
               : "<no answer>";
  };
  EXPECT_EQ(eval("fromPage"), "int,uint,double");
  EXPECT_EQ(eval("document.title"), "T");
  EXPECT_EQ(eval("throw new Error('nope')"), "exception: Uncaught Error: nope");

  CefRefPtr<CefProcessMessage> exec = CefProcessMessage::Create("exec");
  exec->GetArgumentList()->SetString(0, "var fromExec = 'yes';");
  browser->SendProcessMessage(PID_RENDERER, exec);
  EXPECT_EQ(eval("fromExec"), "yes");
  // From the browser process too, in the same context.
  browser->GetMainFrame()->ExecuteJavaScript("fromExec = 'again';", "", 1);
  EXPECT_EQ(eval("fromExec"), "again");
}

TEST_F(BrowserTest, ATimerCanNavigateTheFrameToARelativeAddress) {
  std::string next = WriteFile("next.html", "<script>console.log('next');</script>");
  std::string page = WriteFile(
      "page.html",
      "<script>setTimeout(function() { location.href = 'next.html'; }, 5);"
      "</script>");
  CefRefPtr<CefBrowser> browser = Create(page);
  ASSERT_TRUE(client_->WaitFor("load_end main " + next));
  EXPECT_THAT(Console(browser), ElementsAre("next"));
  EXPECT_TRUE(browser->CanGoBack());
}

TEST_F(BrowserTest, AScriptThatNeverEndsStopsNothingOutsideItsRenderProcess) {
  CefRefPtr<CefBrowser> stuck =
      Create("data:text/html,<script>for (;;) {}</script>");
  ASSERT_TRUE(client_->WaitFor("load_start main data:text/html"));
  CefRefPtr<CefBrowser> other =
      Create("data:text/html,<script>console.log('fine');</script>");
  ASSERT_TRUE(WaitLoaded(other));
  EXPECT_THAT(Console(other), ElementsAre("fine"));
  EXPECT_TRUE(stuck->IsLoading());
  // Its browser-side calls return at once, and it closes.
  stuck->GetMainFrame()->ExecuteJavaScript("1", "", 1);
  EXPECT_TRUE(stuck->SendProcessMessage(PID_RENDERER,
                                        CefProcessMessage::Create("echo")));
  stuck->GetHost()->CloseBrowser(true);
  ASSERT_TRUE(client_->WaitFor("before_close " + Id(stuck)));
  RunOnUi([]() {});
}

}  // namespace
