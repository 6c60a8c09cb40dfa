// CEF's named threads of this process: the browser process's UI and IO
// threads between CefInitialize and CefShutdown, or a render process's render
// thread.
#ifndef CEFSIM_SRC_THREADS_NAMED_THREADS_H_
#define CEFSIM_SRC_THREADS_NAMED_THREADS_H_

#include <cstdint>
#include <functional>
#include <memory>

#include "include/internal/cef_types.h"
#include "cefsim/src/threads/task_thread.h"

namespace cefsim {

// Starts a thread for |id|; replaces nothing if one runs already.
std::shared_ptr<TaskThread> StartNamedThread(cef_thread_id_t id);
// Stops the thread for |id|, dropping its queued tasks. Not from that thread.
void StopNamedThread(cef_thread_id_t id);

bool PostToNamedThread(cef_thread_id_t id, std::function<void()> task,
                       int64_t delay_ms = 0);
// Runs |task| on the thread for |id| and waits until it ran (or was
// dropped by the thread's stopping); runs it here when no such thread runs.
// Not from that thread.
void RunOnNamedThreadAndWait(cef_thread_id_t id, std::function<void()> task);
bool CurrentlyOnNamedThread(cef_thread_id_t id);
bool NamedThreadRunning(cef_thread_id_t id);

// On the IO thread, which reads the render processes' channels as
// Chromium's does: runs |on_readable| there whenever |fd| has bytes or has
// ended, until StopWatchingOnIoThread. False when it cannot watch |fd|.
bool WatchReadableOnIoThread(int fd, std::function<void()> on_readable);
void StopWatchingOnIoThread(int fd);

}  // namespace cefsim

#endif  // CEFSIM_SRC_THREADS_NAMED_THREADS_H_
