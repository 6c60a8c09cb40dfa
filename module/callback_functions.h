// RegisterPyCallback and UnregisterPyCallback: Python callables that pages
// call by id.
#ifndef ZUBRIX_MODULE_CALLBACK_FUNCTIONS_H_
#define ZUBRIX_MODULE_CALLBACK_FUNCTIONS_H_

#include <pybind11/pybind11.h>

namespace zubrix {

// Both are called by Python holding the interpreter lock, from any of its
// threads: the registry belongs to that lock, not to a thread. The calls
// themselves run on the host's main thread (HostBridgeSingleton).
void RegisterCallbackFunctions(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_CALLBACK_FUNCTIONS_H_
