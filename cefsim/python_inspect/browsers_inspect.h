// _cefsim's view of browsers, frames and pages.
#ifndef CEFSIM_PYTHON_INSPECT_BROWSERS_INSPECT_H_
#define CEFSIM_PYTHON_INSPECT_BROWSERS_INSPECT_H_

#include <pybind11/pybind11.h>

void RegisterBrowserInspection(pybind11::module_& module);

#endif  // CEFSIM_PYTHON_INSPECT_BROWSERS_INSPECT_H_
