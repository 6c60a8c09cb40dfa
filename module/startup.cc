#include "module/startup.h"

#include <string>

#include "bridge/host_bridge_singleton.h"
#include "include/cef_app.h"
#include "renderer/cef_plovex_app.h"
#include "scheme/not_found_reports.h"
#include "scheme/scheme_registration.h"

namespace py = pybind11;

namespace zubrix {
namespace {

// Copies settings[key], if present, into |field| as UTF-16 from its UTF-8 (or
// raw byte) form. A value that is not a string raises before CEF starts.
void ReadPathSetting(const py::dict& settings, const char* key,
                     cef_string_t* field) {
  py::str name(key);
  int present = PyDict_Contains(settings.ptr(), name.ptr());
  // A lookup that raised (a key whose comparison fails) must not pass for an
  // absent key: CEF would start with the error still pending.
  if (present < 0)
    throw py::error_already_set();
  if (present != 1)
    return;
  py::object value = settings[name];
  CefString(field).FromString(value.cast<std::string>());
}

// From the thread that serves the request.
void PostNotFound(const std::string& url, const std::string& reason) {
  HostBridgeSingleton::Instance()->PostLoadFailure(url, reason);
}

}  // namespace

void Initialize(py::dict settings) {
  CefRefPtr<CefPlovexApp> app(new CefPlovexApp);

  CefSettings cef_settings;
  cef_settings.no_sandbox = 1;
  ReadPathSetting(settings, "resources_dir_path",
                  &cef_settings.resources_dir_path);
  ReadPathSetting(settings, "locales_dir_path", &cef_settings.locales_dir_path);
  ReadPathSetting(settings, "browser_subprocess_path",
                  &cef_settings.browser_subprocess_path);
  ReadPathSetting(settings, "cache_path", &cef_settings.cache_path);
  // CEF runs its UI thread beside the host's, so the host keeps its own loop.
  cef_settings.multi_threaded_message_loop = 1;

  CefMainArgs main_args;
  CefInitialize(main_args, cef_settings, app.get(), nullptr);
  RegisterSchemeHandlerFactories();

  // Made here, on the host's main thread, so that queued calls from CEF's UI
  // thread are delivered by the host's event loop.
  HostBridgeSingleton::Instance();
  // Only now that the bridge exists where it must.
  SetNotFoundListener(&PostNotFound);
}

void RegisterStartupFunctions(py::module_& module) {
  module.def("Initialize", &Initialize);
  module.def("Shutdown", &CefShutdown);
}

}  // namespace zubrix
