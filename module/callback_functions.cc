#include "module/callback_functions.h"

#include <cstdint>

#include "bridge/host_bridge_singleton.h"

namespace py = pybind11;

namespace zubrix {
namespace {

uint32_t RegisterPyCallback(const py::object& callable) {
  return HostBridgeSingleton::Instance()->RegisterPyCallback(callable.ptr());
}

void UnregisterPyCallback(uint32_t callback_id) {
  HostBridgeSingleton::Instance()->UnregisterPyCallback(callback_id);
}

}  // namespace

void RegisterCallbackFunctions(py::module_& module) {
  module.def("RegisterPyCallback", &RegisterPyCallback);
  module.def("UnregisterPyCallback", &UnregisterPyCallback);
}

}  // namespace zubrix
