// _zubrix_bench: the bare path that page calls into Python are measured
// against. A thread of its own emits a CefListValue through the bridge's
// queued signal into the singleton's slot, which calls the registered Python
// callable on the thread that runs the Qt event loop. No render process, no
// process message, no copy of the list on the way.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "bridge/host_bridge_signals.h"
#include "bridge/host_bridge_singleton.h"

namespace py = pybind11;

namespace {

// The mixed payload of the page benchmark: strings, integers, booleans and
// nested arrays in turn; bench/page_calls.py builds the same in JavaScript.
CefRefPtr<CefListValue> MixedList(int size) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  for (int i = 0; i < size; ++i) {
    const size_t index = static_cast<size_t>(i);
    switch (i % 4) {
      case 0:
        list->SetString(index, "item " + std::to_string(i));
        break;
      case 1:
        list->SetInt(index, i);
        break;
      case 2:
        list->SetBool(index, i % 8 == 2);
        break;
      default: {
        CefRefPtr<CefListValue> nested = CefListValue::Create();
        nested->SetString(0, "nested");
        nested->SetInt(1, i);
        nested->SetBool(2, true);
        list->SetList(index, nested);
      }
    }
  }
  return list;
}

int64_t MonotonicNanoseconds() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Emissions from a thread other than the receiver's: a burst, or with a
// pause after each when |gap_us| is positive.
class Emitter {
 public:
  Emitter(int callback_id, int payload_size, int count, int gap_us)
      : list_(MixedList(payload_size)), sent_at_(count), gap_us_(gap_us) {
    thread_ = std::thread([this, callback_id] { Run(callback_id); });
  }
  ~Emitter() {
    if (thread_.joinable())
      thread_.join();
  }

  // The monotonic clock (CLOCK_MONOTONIC, as time.perf_counter_ns) at each
  // emission.
  std::vector<int64_t> Join() {
    py::gil_scoped_release release;
    thread_.join();
    return sent_at_;
  }

 private:
  void Run(int callback_id) {
    zubrix::HostBridgeSignals signals;
    QObject::connect(&signals,
                     "2execute_python_callback(int, CefListValueWrapper)",
                     zubrix::HostBridgeSingleton::Instance(),
                     "1execute_python_callback(int, CefListValueWrapper)");
    zubrix::CefListValueWrapper wrapper;
    wrapper.list = list_;
    for (int64_t& sent_at : sent_at_) {
      sent_at = MonotonicNanoseconds();
      Q_EMIT signals.execute_python_callback(callback_id, wrapper);
      if (gap_us_ > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(gap_us_));
    }
  }

  CefRefPtr<CefListValue> list_;
  std::vector<int64_t> sent_at_;
  const int gap_us_;
  std::thread thread_;
};

}  // namespace

PYBIND11_MODULE(_zubrix_bench, m) {
  // The first call fixes the receiver to the calling (main) thread.
  m.def("RegisterPyCallback", [](py::object callable) {
    return zubrix::HostBridgeSingleton::Instance()->RegisterPyCallback(
        callable.ptr());
  });
  py::class_<Emitter>(m, "Emitter")
      .def(py::init<int, int, int, int>())
      .def("Join", &Emitter::Join);
}
