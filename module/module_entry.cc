// The module's entry: the interpreter-version check (made by pybind11's
// module macro) and the definition of the Python API.
#include <pybind11/pybind11.h>

#include "module/python_api.h"

PYBIND11_MODULE(_zubrix_cef, module) {
  zubrix::DefinePythonApi(module);
}
