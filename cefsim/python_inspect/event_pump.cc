#include "cefsim/python_inspect/event_pump.h"

#include <chrono>

namespace py = pybind11;

namespace {

// Found at call time, so that this module needs no Qt of its own.
py::object DefaultPump() {
  try {
    py::object app = py::module_::import("PySide2.QtCore")
                         .attr("QCoreApplication")
                         .attr("instance")();
    if (!app.is_none())
      return app.attr("processEvents");
  } catch (const py::error_already_set&) {
  }
  return py::none();
}

}  // namespace

bool PumpUntil(const std::function<bool(int slice_ms)>& wait_slice,
               double timeout, py::object pump) {
  constexpr int kSliceMs = 10;
  if (pump.is_none())
    pump = DefaultPump();
  auto deadline = std::chrono::steady_clock::now() +
                  std::chrono::milliseconds(static_cast<int64_t>(timeout * 1000));
  while (true) {
    bool done;
    {
      py::gil_scoped_release release;
      done = wait_slice(kSliceMs);
    }
    if (!pump.is_none())
      pump();
    if (done)
      return true;
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
  }
}
