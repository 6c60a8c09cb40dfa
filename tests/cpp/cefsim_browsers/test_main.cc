// The browser tests' executable is also the render process CEF starts for
// them: CefExecuteProcess comes first, as in any CEF application.
#include <gtest/gtest.h>

#include "include/cef_app.h"
#include "test_app.h"

int main(int argc, char** argv) {
  CefMainArgs args(argc, argv);
  CefRefPtr<TestApp> app = new TestApp();
  int exit_code = CefExecuteProcess(args, app.get(), nullptr);
  if (exit_code >= 0)
    return exit_code;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
