// The Python type CefBrowser and the function CreateBrowserSync.
#ifndef ZUBRIX_MODULE_BROWSER_BINDINGS_H_
#define ZUBRIX_MODULE_BROWSER_BINDINGS_H_

#include <pybind11/pybind11.h>

namespace zubrix {

void RegisterBrowserType(pybind11::module_& module);
void RegisterBrowserFunctions(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_BROWSER_BINDINGS_H_
