#include <chrono>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/runtime/runtime_state.h"

namespace cefsim_inspect {

int StartSpareRenderProcess(int timeout_ms) {
  if (!cefsim::RuntimeRunning())
    return -1;
  CefRefPtr<CefApp> app = cefsim::RuntimeApp();
  auto host = cefsim::RenderProcessHost::Launch(
      cefsim::SubprocessPath(), app ? app->GetBrowserProcessHandler() : nullptr);
  if (!host || !host->WaitUntilReady(std::chrono::milliseconds(timeout_ms)))
    return -1;
  return host->pid();
}

bool KillRenderProcess(int pid) {
  auto host = cefsim::FindRenderProcess(pid);
  if (!host)
    return false;
  host->Kill();
  return true;
}

}  // namespace cefsim_inspect
