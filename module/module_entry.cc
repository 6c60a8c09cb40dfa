// The module's entry: the interpreter-version check (made by pybind11's
// module macro) and the registration of the Python API, types first.
#include <pybind11/pybind11.h>

#include "module/browser_bindings.h"
#include "module/callback_functions.h"
#include "module/console_functions.h"
#include "module/cookies.h"
#include "module/startup.h"

PYBIND11_MODULE(_zubrix_cef, module) {
  zubrix::RegisterBrowserType(module);
  zubrix::RegisterCookieTypes(module);
  zubrix::RegisterStartupFunctions(module);
  zubrix::RegisterBrowserFunctions(module);
  zubrix::RegisterCallbackFunctions(module);
  zubrix::RegisterConsoleFunctions(module);
}
