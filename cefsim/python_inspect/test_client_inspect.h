// _cefsim's browsers for tests: made with the stand-in's recording client
// and driven through CEF's own API, until the product's module offers its
// own.
#ifndef CEFSIM_PYTHON_INSPECT_TEST_CLIENT_INSPECT_H_
#define CEFSIM_PYTHON_INSPECT_TEST_CLIENT_INSPECT_H_

#include <pybind11/pybind11.h>

void RegisterTestClientInspection(pybind11::module_& module);

#endif  // CEFSIM_PYTHON_INSPECT_TEST_CLIENT_INSPECT_H_
