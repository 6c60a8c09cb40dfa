#include <gtest/gtest.h>

#include <string>

#include "include/cef_app.h"
#include "include/cef_task.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "test_support/stderr_capture.h"

namespace {

class CountingApp : public CefApp {
 public:
  void OnBeforeCommandLineProcessing(
      const CefString& process_type,
      CefRefPtr<CefCommandLine> command_line) override {
    ++calls;
    type = process_type.ToString();
    command_line->AppendSwitch("from-app");
  }
  int calls = 0;
  std::string type = "unset";

 private:
  IMPLEMENT_REFCOUNTING(CountingApp);
};

// As CefInitialize (context.cc): with the global context made already, a
// second call returns true and does nothing.
class NoopTask : public CefTask {
 public:
  void Execute() override {}

 private:
  IMPLEMENT_REFCOUNTING(NoopTask);
};

TEST(RuntimeTest, InitializeWhileRunningDoesNothingAndShutdownIsSafeAnyTime) {
  CefShutdown();  // Before any start: nothing happens.
  CefRefPtr<CountingApp> app = new CountingApp();
  CefSettings settings;
  settings.multi_threaded_message_loop = 1;
  CefMainArgs args;
  ASSERT_TRUE(CefInitialize(args, settings, app.get(), nullptr));
  EXPECT_EQ(app->calls, 1);
  EXPECT_EQ(app->type, "");
  EXPECT_TRUE(CefCommandLine::GetGlobalCommandLine()->HasSwitch("from-app"));
  EXPECT_TRUE(CefInitialize(args, settings, app.get(), nullptr));
  EXPECT_EQ(app->calls, 1);
  CefShutdown();
  CefShutdown();
  EXPECT_TRUE(app->HasOneRef());  // CEF let go of the application object.
  EXPECT_EQ(cefsim_inspect::InitializeCount(), 2);
}

// CEF 3.3163 cannot start twice in one process: CefInitialize after
// CefShutdown would build a new CefContext over Chromium's torn-down globals
// and crash. The stand-in refuses it with an error, so that nothing comes to
// rely on a restart.
TEST(RuntimeTest, InitializeAfterShutdownIsRefusedWithAnError) {
  CefRefPtr<CountingApp> app = new CountingApp();
  CefSettings settings;
  settings.multi_threaded_message_loop = 1;
  ASSERT_TRUE(CefInitialize(CefMainArgs(), settings, app.get(), nullptr));
  CefShutdown();
  bool started = true;
  const std::string logged = test_support::CaptureStderr([&]() {
    started = CefInitialize(CefMainArgs(), settings, app.get(), nullptr);
  });
  EXPECT_FALSE(started);
  EXPECT_NE(logged.find("CEF cannot start twice in one process"),
            std::string::npos)
      << logged;
  EXPECT_EQ(app->calls, 1);
  EXPECT_TRUE(app->HasOneRef());
  // No UI thread was started.
  EXPECT_FALSE(CefPostTask(TID_UI, new NoopTask()));
}

TEST(RuntimeTest, ExecuteProcessReturnsMinusOneWithoutAProcessType) {
  const char* argv[] = {"prog", "--other=1"};
  CefMainArgs args(2, const_cast<char**>(argv));
  EXPECT_EQ(CefExecuteProcess(args, nullptr, nullptr), -1);
}

}  // namespace
