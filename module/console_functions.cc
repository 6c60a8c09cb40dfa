#include "module/console_functions.h"

#include "bridge/host_bridge_singleton.h"

namespace py = pybind11;

namespace zubrix {
namespace {

void SetConsoleLogger(const py::object& logger) {
  // Refused here rather than failing at every message later.
  if (!logger.is_none() &&
      !(py::hasattr(logger, "log") &&
        PyCallable_Check(logger.attr("log").ptr()))) {
    throw py::type_error(
        "SetConsoleLogger takes a logger (an object with a log method, such "
        "as logging.getLogger(name)) or None");
  }
  HostBridgeSingleton::Instance()->SetConsoleLogger(logger.ptr());
}

}  // namespace

void RegisterConsoleFunctions(py::module_& module) {
  module.def("SetConsoleLogger", &SetConsoleLogger);
}

}  // namespace zubrix
