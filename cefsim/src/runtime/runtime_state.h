// What the browser process keeps between CefInitialize and CefShutdown.
#ifndef CEFSIM_SRC_RUNTIME_RUNTIME_STATE_H_
#define CEFSIM_SRC_RUNTIME_RUNTIME_STATE_H_

#include <string>

#include "cefsim/src/command_line/command_line_impl.h"
#include "include/cef_app.h"

namespace cefsim {

bool RuntimeRunning();
CefRefPtr<CefApp> RuntimeApp();
CefSettings RuntimeSettings();
// The executable for render processes: the settings' sub-process path, or
// this process's own executable.
std::string SubprocessPath();
// This process's command line as the application object left it.
CefRefPtr<CommandLineImpl> GlobalCommandLine();
void SetGlobalCommandLine(CefRefPtr<CommandLineImpl> command_line);

enum class RuntimeStart { kStarted, kRunningAlready, kShutDownAlready };
// Claims the running state, unless CEF runs already or has been shut down:
// it starts once per process.
RuntimeStart BeginRuntime(const CefSettings& settings, CefRefPtr<CefApp> app);
// Leaves it; false when CEF was not running.
bool EndRuntime();

}  // namespace cefsim

#endif  // CEFSIM_SRC_RUNTIME_RUNTIME_STATE_H_
