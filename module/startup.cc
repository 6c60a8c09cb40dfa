#include "module/startup.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "bridge/host_bridge_singleton.h"
#include "browser/open_browsers.h"
#include "common/cef_plovex_app.h"
#include "common/function_task.h"
#include "include/cef_app.h"
#include "module/host_main_thread.h"
#include "module/runtime_state.h"
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

// CEF 3.3163 cannot start twice in one process: a second CefInitialize
// while it runs does nothing, and one after CefShutdown builds a new context
// over Chromium's torn-down globals and crashes. Both are refused before CEF
// is touched.
void RequireFirstStart() {
  switch (CurrentRuntimeState()) {
    case RuntimeState::kNotStarted:
      return;
    case RuntimeState::kRunning:
      throw std::runtime_error(
          "Initialize: CEF is running already; it starts once per process");
    case RuntimeState::kShuttingDown:
    case RuntimeState::kShutDown:
      throw std::runtime_error(
          "Initialize: CEF cannot start twice in one process; it was shut "
          "down, and only a new process can start it again");
  }
}

// How long Shutdown waits for CEF to report the open browsers closed.
constexpr std::chrono::seconds kBrowserCloseWait(10);

// Closes every open browser and waits, turning the host's event loop, until
// CEF reports each closed, as cefclient does before CefShutdown: on Windows a
// CefShutdown with windows still being destroyed can deadlock the host's
// thread. The closing task follows any creation task posted before it, so a
// browser asked for just before is closed too. The wait is bounded, so that
// a browser CEF never reports cannot hang the host.
void CloseOpenBrowsersAndWait() {
  OpenBrowsers& open = OpenBrowsers::Instance();
  auto closing_ran = std::make_shared<std::atomic<bool>>(false);
  if (!PostToUiThread([&open, closing_ran]() {
        open.CloseAll();
        closing_ran->store(true);
      }))
    return;
  const auto deadline = std::chrono::steady_clock::now() + kBrowserCloseWait;
  while ((!closing_ran->load() || open.Count() > 0) &&
         std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void Shutdown() {
  // CefShutdown belongs to the thread that started CEF, and the wait turns
  // that thread's event loop.
  REQUIRE_HOST_MAIN_THREAD();
  // Before Initialize, twice, or from code the wait below runs: nothing.
  if (CurrentRuntimeState() != RuntimeState::kRunning)
    return;
  SetRuntimeState(RuntimeState::kShuttingDown);
  CloseOpenBrowsersAndWait();
  CefShutdown();
  SetRuntimeState(RuntimeState::kShutDown);
}

// From the thread that serves the request.
void PostNotFound(const std::string& url, const std::string& reason) {
  HostBridgeSingleton::Instance()->PostLoadFailure(url, reason);
}

}  // namespace

void Initialize(py::dict settings) {
  REQUIRE_HOST_MAIN_THREAD();
  RequireFirstStart();
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
  SetRuntimeState(RuntimeState::kRunning);
  RegisterSchemeHandlerFactories();

  // Made here, on the host's main thread, so that queued calls from CEF's UI
  // thread are delivered by the host's event loop.
  HostBridgeSingleton::Instance();
  // Only now that the bridge exists where it must.
  SetNotFoundListener(&PostNotFound);
}

void RegisterStartupFunctions(py::module_& module) {
  module.def("Initialize", &Initialize);
  module.def("Shutdown", &Shutdown);
}

}  // namespace zubrix
