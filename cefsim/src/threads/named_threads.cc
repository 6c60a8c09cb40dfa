#include "cefsim/src/threads/named_threads.h"

#include <future>
#include <mutex>
#include <shared_mutex>
#include <utility>

namespace cefsim {
namespace {

constexpr int kThreadIdCount = TID_RENDERER + 1;

struct Registry {
  // Every post between threads looks its thread up: shared, so that those
  // lookups never wait for one another.
  std::shared_mutex mutex;
  std::shared_ptr<TaskThread> threads[kThreadIdCount];
};

Registry& GetRegistry() {
  static Registry* registry = new Registry();  // Outlives static teardown.
  return *registry;
}

// As an int, so that a value cast from outside the enum's range is caught.
bool ValidId(cef_thread_id_t id) {
  const int value = id;
  return value >= 0 && value < kThreadIdCount;
}

const char* ThreadName(cef_thread_id_t id) {
  switch (id) {
    case TID_UI:
      return "CefUI";
    case TID_IO:
      return "CefIO";
    case TID_FILE:
      return "CefFile";
    case TID_RENDERER:
      return "CefRenderer";
    default:
      return "CefThread";
  }
}

std::shared_ptr<TaskThread> Lookup(cef_thread_id_t id) {
  if (!ValidId(id))
    return nullptr;
  Registry& registry = GetRegistry();
  std::shared_lock<std::shared_mutex> lock(registry.mutex);
  return registry.threads[id];
}

}  // namespace

std::shared_ptr<TaskThread> StartNamedThread(cef_thread_id_t id) {
  if (!ValidId(id))
    return nullptr;
  Registry& registry = GetRegistry();
  std::lock_guard<std::shared_mutex> lock(registry.mutex);
  if (!registry.threads[id]) {
    registry.threads[id] =
        std::make_shared<TaskThread>(ThreadName(id), id == TID_IO);
    registry.threads[id]->Start();
  }
  return registry.threads[id];
}

void StopNamedThread(cef_thread_id_t id) {
  if (!ValidId(id))
    return;
  std::shared_ptr<TaskThread> thread;
  {
    Registry& registry = GetRegistry();
    std::lock_guard<std::shared_mutex> lock(registry.mutex);
    thread.swap(registry.threads[id]);
  }
  // Stopped outside the lock: the thread's last task may still post.
  if (thread)
    thread->Stop();
}

bool PostToNamedThread(cef_thread_id_t id, std::function<void()> task,
                       int64_t delay_ms) {
  std::shared_ptr<TaskThread> thread = Lookup(id);
  return thread && thread->Post(std::move(task), delay_ms);
}

void RunOnNamedThreadAndWait(cef_thread_id_t id, std::function<void()> task) {
  auto packaged = std::make_shared<std::packaged_task<void()>>(task);
  std::future<void> ran = packaged->get_future();
  if (!PostToNamedThread(id, [packaged] { (*packaged)(); })) {
    task();
    return;
  }
  // A task dropped unrun leaves the future ready too.
  ran.wait();
}

bool CurrentlyOnNamedThread(cef_thread_id_t id) {
  std::shared_ptr<TaskThread> thread = Lookup(id);
  return thread && thread->BelongsToCurrentThread();
}

bool NamedThreadRunning(cef_thread_id_t id) { return Lookup(id) != nullptr; }

bool WatchReadableOnIoThread(int fd, std::function<void()> on_readable) {
  std::shared_ptr<TaskThread> thread = Lookup(TID_IO);
  return thread && thread->WatchReadable(fd, std::move(on_readable));
}

void StopWatchingOnIoThread(int fd) {
  if (std::shared_ptr<TaskThread> thread = Lookup(TID_IO))
    thread->StopWatching(fd);
}

}  // namespace cefsim
