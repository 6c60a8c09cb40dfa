#include "module/host_main_thread.h"

#include <gtest/gtest.h>
#include <pybind11/embed.h>

#include <memory>
#include <string>

#include "browser/zubrix_cef_browser.h"
#include "module/python_api.h"
#include "test_support/leak_checked_python.h"

namespace py = pybind11;

// The module's API, imported by the test's main thread as a host imports it.
PYBIND11_EMBEDDED_MODULE(zubrix_api, module) {
  zubrix::DefinePythonApi(module);
}

namespace zubrix {
namespace {

class EmbeddedInterpreter : public ::testing::Environment {
 public:
  void SetUp() override {
    interpreter_ = test_support::StartLeakCheckedInterpreter();
    py::module_::import("zubrix_api");
  }

 private:
  // Kept to the end: the module's statics hold Python objects.
  std::unique_ptr<py::scoped_interpreter> interpreter_;
};

::testing::Environment* const embedded_interpreter =
    ::testing::AddGlobalTestEnvironment(new EmbeddedInterpreter);

// Runs |statement| on the importing thread or on a Python thread of its own,
// with "api" the module and "browser" a CefBrowser that has no CEF browser
// yet; returns the name of the exception it raised, or "".
std::string RunPython(const std::string& statement, bool on_other_thread) {
  py::dict scope;
  scope["api"] = py::module_::import("zubrix_api");
  scope["browser"] =
      py::cast(new ZubrixCefBrowser(), py::return_value_policy::take_ownership);
  py::exec("import threading\n"
           "raised = ['']\n"
           "def call():\n"
           "    try:\n"
           "        " + statement + "\n"
           "    except Exception as error:\n"
           "        raised[0] = type(error).__name__\n",
           scope);
  py::exec(on_other_thread ? "worker = threading.Thread(target=call)\n"
                             "worker.start()\n"
                             "worker.join()\n"
                           : "call()\n",
           scope);
  return scope["raised"].cast<py::list>()[0].cast<std::string>();
}

// The importing thread passes the check; the calls reach their own rules.
TEST(HostMainThreadTest, CallsFromTheImportingThreadRun) {
  EXPECT_EQ(RunPython("api.Shutdown()", false), "");
  EXPECT_EQ(RunPython("browser.Reload()", false), "");
  EXPECT_EQ(RunPython("browser.Resize(0, 0, 10, 10)", false), "");
  EXPECT_EQ(RunPython("api.CreateBrowserSync(0, u'about:blank')", false),
            "RuntimeError");
}

// The callback registry belongs to the interpreter lock, not to a thread.
TEST(HostMainThreadTest, CallbackRegistryServesAnyPythonThread) {
  EXPECT_EQ(
      RunPython("api.UnregisterPyCallback(api.RegisterPyCallback(len))", true),
      "");
}

// Where DCHECKs are compiled in, each entry point that must run on the host's
// main thread stops the process when another Python thread calls it.
TEST(HostMainThreadDeathTest, EntryPointsStopOnAnotherThread) {
  if (!DCHECK_IS_ON())
    GTEST_SKIP() << "DCHECKs are compiled out of this build";
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const char* statement :
       {"api.Initialize({})", "api.Shutdown()",
        "api.CreateBrowserSync(0, u'about:blank')", "browser.Reload()",
        "browser.Resize(0, 0, 10, 10)", "browser.Close()",
        "browser.ExecuteJavascript('1')", "browser.ShowDevTools(0)",
        "browser.RegisterStartupCode('1')",
        "browser.UnregisterStartupCode()"}) {
    EXPECT_DEATH(RunPython(statement, true), "OnHostMainThread") << statement;
  }
}

}  // namespace
}  // namespace zubrix
