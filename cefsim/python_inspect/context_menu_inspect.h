// _cefsim's context menus: opening one in a browser and choosing from it.
#ifndef CEFSIM_PYTHON_INSPECT_CONTEXT_MENU_INSPECT_H_
#define CEFSIM_PYTHON_INSPECT_CONTEXT_MENU_INSPECT_H_

#include <pybind11/pybind11.h>

void RegisterContextMenuInspection(pybind11::module_& module);

#endif  // CEFSIM_PYTHON_INSPECT_CONTEXT_MENU_INSPECT_H_
