#include "tests/cpp/bridge/host_environment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "bridge/host_bridge_singleton.h"
#include "module/callback_functions.h"
#include "test_support/leak_checked_python.h"

namespace py = pybind11;

PYBIND11_EMBEDDED_MODULE(zubrix_callbacks, module) {
  zubrix::RegisterCallbackFunctions(module);
}

namespace zubrix {
namespace {

class HostEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    interpreter_ = test_support::StartLeakCheckedInterpreter();
    application_ = std::make_unique<QCoreApplication>(argc_, argv_);
    HostBridgeSingleton::Instance();
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[12] = "bridge_test";
  char* argv_[2] = {name_, nullptr};
  // The interpreter stays up until the process ends: the registry, which is
  // never destroyed, still refers to Python objects.
  std::unique_ptr<py::scoped_interpreter> interpreter_;
  std::unique_ptr<QCoreApplication> application_;
};

::testing::Environment* const host_environment =
    ::testing::AddGlobalTestEnvironment(new HostEnvironment);

}  // namespace
}  // namespace zubrix

py::dict PythonScope(const std::string& code) {
  py::dict scope;
  py::exec(R"(
import threading
calls = []
def record(*args):
    calls.append((threading.get_ident(), args))
)", scope);
  py::exec(code, scope);
  return scope;
}

uint32_t RegisterFromScope(const py::dict& scope, const char* name) {
  return py::module_::import("zubrix_callbacks")
      .attr("RegisterPyCallback")(scope[name])
      .cast<uint32_t>();
}

std::string RecordedArguments(const py::dict& scope) {
  return py::eval("repr([args for _, args in calls])", scope).cast<std::string>();
}
