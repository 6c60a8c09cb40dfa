// _cefsim.cookies(): the global cookie store as Python sees it.
#ifndef CEFSIM_PYTHON_INSPECT_COOKIES_INSPECT_H_
#define CEFSIM_PYTHON_INSPECT_COOKIES_INSPECT_H_

#include <pybind11/pybind11.h>

void RegisterCookieInspection(pybind11::module_& module);

#endif  // CEFSIM_PYTHON_INSPECT_COOKIES_INSPECT_H_
