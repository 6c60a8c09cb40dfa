// Where CEF stands in this process, as the module started and stopped it.
// CEF starts once per process: after Shutdown it cannot start again.
#ifndef ZUBRIX_MODULE_RUNTIME_STATE_H_
#define ZUBRIX_MODULE_RUNTIME_STATE_H_

namespace zubrix {

enum class RuntimeState { kNotStarted, kRunning, kShuttingDown, kShutDown };

// The host's main thread's alone: every Python call holds the interpreter
// lock, which is what orders these.
RuntimeState CurrentRuntimeState();
void SetRuntimeState(RuntimeState state);

// Throws std::runtime_error (Python's RuntimeError) naming |call| unless CEF
// runs: a browser asked for before Initialize or after Shutdown would never
// load.
void RequireRunningCef(const char* call);

}  // namespace zubrix

#endif  // ZUBRIX_MODULE_RUNTIME_STATE_H_
