#include <gtest/gtest.h>

#include "include/cef_app.h"
#include "inspection_api/cefsim_inspect.h"

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

TEST(RuntimeTest, InitializeRefusesASecondStartAndShutdownIsSafeAnyTime) {
  CefShutdown();  // Before any start: nothing happens.
  CefRefPtr<CountingApp> app = new CountingApp();
  CefSettings settings;
  settings.multi_threaded_message_loop = 1;
  CefMainArgs args;
  ASSERT_TRUE(CefInitialize(args, settings, app.get(), nullptr));
  EXPECT_EQ(app->calls, 1);
  EXPECT_EQ(app->type, "");
  EXPECT_TRUE(CefCommandLine::GetGlobalCommandLine()->HasSwitch("from-app"));
  EXPECT_FALSE(CefInitialize(args, settings, app.get(), nullptr));
  EXPECT_EQ(app->calls, 1);
  CefShutdown();
  CefShutdown();
  EXPECT_TRUE(app->HasOneRef());  // CEF let go of the application object.
  EXPECT_EQ(cefsim_inspect::InitializeCount(), 2);

  ASSERT_TRUE(CefInitialize(args, settings, app.get(), nullptr));
  CefShutdown();
}

TEST(RuntimeTest, ExecuteProcessReturnsMinusOneWithoutAProcessType) {
  const char* argv[] = {"prog", "--other=1"};
  CefMainArgs args(2, const_cast<char**>(argv));
  EXPECT_EQ(CefExecuteProcess(args, nullptr, nullptr), -1);
}

}  // namespace
