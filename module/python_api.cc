#include "module/python_api.h"

#include "bridge/host_bridge_singleton.h"
#include "module/browser_bindings.h"
#include "module/callback_functions.h"
#include "module/console_functions.h"
#include "module/cookies.h"
#include "module/host_main_thread.h"
#include "module/startup.h"

namespace zubrix {

void DefinePythonApi(pybind11::module_& module) {
  RememberHostMainThread();
  HostBridgeSingleton::RememberHomeThread();
  RegisterBrowserType(module);
  RegisterCookieTypes(module);
  RegisterStartupFunctions(module);
  RegisterBrowserFunctions(module);
  RegisterCallbackFunctions(module);
  RegisterConsoleFunctions(module);
}

}  // namespace zubrix
