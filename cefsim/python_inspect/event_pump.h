// Waiting in _cefsim while the host's Qt event loop still delivers the
// calls queued for the main thread.
#ifndef CEFSIM_PYTHON_INSPECT_EVENT_PUMP_H_
#define CEFSIM_PYTHON_INSPECT_EVENT_PUMP_H_

#include <pybind11/pybind11.h>

#include <chrono>
#include <functional>
#include <future>

// Calls |wait_slice| (given a few milliseconds to wait, without the GIL)
// until it returns true or |timeout| seconds have passed, calling |pump|
// between slices: the host's QCoreApplication.processEvents when |pump| is
// None and there is a Qt application. False on timeout.
bool PumpUntil(const std::function<bool(int slice_ms)>& wait_slice,
               double timeout, pybind11::object pump);

// The future's value once it is ready, pumping meanwhile; |fallback| on
// timeout.
template <class T>
T Await(std::future<T> future, double timeout, pybind11::object pump,
        T fallback) {
  bool ready = PumpUntil(
      [&future](int slice_ms) {
        return future.wait_for(std::chrono::milliseconds(slice_ms)) ==
               std::future_status::ready;
      },
      timeout, pump);
  return ready ? future.get() : fallback;
}

#endif  // CEFSIM_PYTHON_INSPECT_EVENT_PUMP_H_
