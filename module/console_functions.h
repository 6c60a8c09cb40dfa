// SetConsoleLogger: where pages' console messages go in Python.
#ifndef ZUBRIX_MODULE_CONSOLE_FUNCTIONS_H_
#define ZUBRIX_MODULE_CONSOLE_FUNCTIONS_H_

#include <pybind11/pybind11.h>

namespace zubrix {

// Called by Python holding the interpreter lock, which owns the choice; the
// messages are logged on the host's main thread (HostBridgeSingleton).
void RegisterConsoleFunctions(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_CONSOLE_FUNCTIONS_H_
