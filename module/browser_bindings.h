// The Python type CefBrowser and the function CreateBrowserSync.
#ifndef ZUBRIX_MODULE_BROWSER_BINDINGS_H_
#define ZUBRIX_MODULE_BROWSER_BINDINGS_H_

#include <pybind11/pybind11.h>

namespace zubrix {

// The browser's methods and CreateBrowserSync run on the host's main thread,
// holding the interpreter lock, and touch no Python object past their
// arguments; window work is posted to CEF's UI thread.
void RegisterBrowserType(pybind11::module_& module);
void RegisterBrowserFunctions(pybind11::module_& module);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_BROWSER_BINDINGS_H_
