// Waiting in _cefsim while the host's Qt event loop still delivers the
// calls queued for the main thread.
#ifndef CEFSIM_INSPECT_EVENT_PUMP_H_
#define CEFSIM_INSPECT_EVENT_PUMP_H_

#include <pybind11/pybind11.h>

#include <functional>

// Calls |wait_slice| (given a few milliseconds to wait, without the GIL)
// until it returns true or |timeout| seconds have passed, calling |pump|
// between slices: the host's QCoreApplication.processEvents when |pump| is
// None and there is a Qt application. False on timeout.
bool PumpUntil(const std::function<bool(int slice_ms)>& wait_slice,
               double timeout, pybind11::object pump);

#endif  // CEFSIM_INSPECT_EVENT_PUMP_H_
