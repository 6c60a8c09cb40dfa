#include "module/runtime_state.h"

#include <stdexcept>
#include <string>

namespace zubrix {
namespace {

RuntimeState g_state = RuntimeState::kNotStarted;

}  // namespace

RuntimeState CurrentRuntimeState() { return g_state; }

void SetRuntimeState(RuntimeState state) { g_state = state; }

void RequireRunningCef(const char* call) {
  switch (g_state) {
    case RuntimeState::kRunning:
      return;
    case RuntimeState::kNotStarted:
      throw std::runtime_error(std::string(call) +
                               ": CEF is not running; call Initialize first");
    case RuntimeState::kShuttingDown:
    case RuntimeState::kShutDown:
      throw std::runtime_error(
          std::string(call) +
          ": CEF is not running; call Initialize first (after Shutdown, CEF "
          "cannot start again in this process)");
  }
}

}  // namespace zubrix
