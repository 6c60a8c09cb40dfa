// The module's whole Python surface, as the import defines it.
#ifndef ZUBRIX_MODULE_PYTHON_API_H_
#define ZUBRIX_MODULE_PYTHON_API_H_

#include <pybind11/pybind11.h>

namespace zubrix {

// On the importing thread, holding the interpreter lock: takes that thread as
// the host's main thread and registers the API, types first.
void DefinePythonApi(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_PYTHON_API_H_
