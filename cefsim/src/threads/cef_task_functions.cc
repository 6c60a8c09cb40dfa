// CefPostTask and friends over the process's named threads.
#include "include/cef_task.h"
#include "cefsim/src/threads/named_threads.h"

namespace {

class TaskRunnerImpl : public CefTaskRunner {
 public:
  explicit TaskRunnerImpl(CefThreadId id) : id_(id) {}

  bool IsSame(CefRefPtr<CefTaskRunner> that) override {
    return that && that->BelongsToThread(id_);
  }
  bool BelongsToCurrentThread() override {
    return cefsim::CurrentlyOnNamedThread(id_);
  }
  bool BelongsToThread(CefThreadId threadId) override {
    return threadId == id_;
  }
  bool PostTask(CefRefPtr<CefTask> task) override {
    return CefPostTask(id_, task);
  }
  bool PostDelayedTask(CefRefPtr<CefTask> task, int64 delay_ms) override {
    return CefPostDelayedTask(id_, task, delay_ms);
  }

 private:
  const CefThreadId id_;
  IMPLEMENT_REFCOUNTING(TaskRunnerImpl);
};

}  // namespace

bool CefCurrentlyOn(CefThreadId threadId) {
  return cefsim::CurrentlyOnNamedThread(threadId);
}

bool CefPostTask(CefThreadId threadId, CefRefPtr<CefTask> task) {
  return CefPostDelayedTask(threadId, task, 0);
}

bool CefPostDelayedTask(CefThreadId threadId, CefRefPtr<CefTask> task,
                        int64 delay_ms) {
  if (!task)
    return false;
  return cefsim::PostToNamedThread(
      threadId, [task]() { task->Execute(); }, delay_ms);
}

CefRefPtr<CefTaskRunner> CefTaskRunner::GetForThread(CefThreadId threadId) {
  if (!cefsim::NamedThreadRunning(threadId))
    return nullptr;
  return new TaskRunnerImpl(threadId);
}

CefRefPtr<CefTaskRunner> CefTaskRunner::GetForCurrentThread() {
  for (CefThreadId id : {TID_UI, TID_IO, TID_FILE, TID_RENDERER}) {
    if (cefsim::CurrentlyOnNamedThread(id))
      return new TaskRunnerImpl(id);
  }
  return nullptr;
}
