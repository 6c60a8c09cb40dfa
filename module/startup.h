// Initialize and Shutdown: starting and stopping CEF inside the host process.
#ifndef ZUBRIX_MODULE_STARTUP_H_
#define ZUBRIX_MODULE_STARTUP_H_

#include <pybind11/pybind11.h>

namespace zubrix {

// Both run on the host's main thread, holding the interpreter lock: the
// bridge that Initialize makes belongs to the thread that calls it, and
// pages' calls are delivered by that thread's event loop.
void Initialize(pybind11::dict settings);
void RegisterStartupFunctions(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_STARTUP_H_
