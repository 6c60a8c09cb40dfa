#include "cefsim/src/runtime/runtime_state.h"

#include <unistd.h>

#include <climits>
#include <mutex>

namespace cefsim {
namespace {

struct State {
  std::mutex mutex;
  bool running = false;
  bool ended = false;
  CefSettings settings;
  CefRefPtr<CefApp> app;
  CefRefPtr<CommandLineImpl> command_line;
};

State& GetState() {
  static auto* state = new State();
  return *state;
}

std::string OwnExecutable() {
  char path[PATH_MAX];
  ssize_t size = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return size > 0 ? std::string(path, static_cast<size_t>(size)) : std::string();
}

}  // namespace

bool RuntimeRunning() {
  std::lock_guard<std::mutex> lock(GetState().mutex);
  return GetState().running;
}

CefRefPtr<CefApp> RuntimeApp() {
  std::lock_guard<std::mutex> lock(GetState().mutex);
  return GetState().app;
}

CefSettings RuntimeSettings() {
  std::lock_guard<std::mutex> lock(GetState().mutex);
  return GetState().settings;
}

std::string SubprocessPath() {
  CefSettings settings = RuntimeSettings();
  std::string path = CefString(&settings.browser_subprocess_path).ToString();
  return path.empty() ? OwnExecutable() : path;
}

CefRefPtr<CommandLineImpl> GlobalCommandLine() {
  std::lock_guard<std::mutex> lock(GetState().mutex);
  return GetState().command_line;
}

void SetGlobalCommandLine(CefRefPtr<CommandLineImpl> command_line) {
  std::lock_guard<std::mutex> lock(GetState().mutex);
  GetState().command_line = command_line;
}

RuntimeStart BeginRuntime(const CefSettings& settings, CefRefPtr<CefApp> app) {
  State& state = GetState();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (state.running)
    return RuntimeStart::kRunningAlready;
  if (state.ended)
    return RuntimeStart::kShutDownAlready;
  state.running = true;
  state.settings = settings;
  state.app = app;
  return RuntimeStart::kStarted;
}

bool EndRuntime() {
  CefRefPtr<CefApp> app;
  {
    State& state = GetState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.running)
      return false;
    state.running = false;
    state.ended = true;
    app.swap(state.app);
    state.settings.Reset();
  }
  // |app| is released here, outside the lock: its destructor is the
  // embedder's code.
  return true;
}

}  // namespace cefsim
