#include "cefsim/src/fetch/blocking_pool.h"

#include <memory>
#include <mutex>
#include <utility>

#include "cefsim/src/threads/task_thread.h"

namespace cefsim {
namespace {

struct Pool {
  std::mutex mutex;
  std::shared_ptr<TaskThread> worker;
};

Pool& GetPool() {
  static auto* pool = new Pool();  // Outlives static teardown.
  return *pool;
}

std::shared_ptr<TaskThread> Worker() {
  std::lock_guard<std::mutex> lock(GetPool().mutex);
  return GetPool().worker;
}

}  // namespace

void StartBlockingPool() {
  std::lock_guard<std::mutex> lock(GetPool().mutex);
  if (GetPool().worker)
    return;
  GetPool().worker = std::make_shared<TaskThread>("CefBlocking");
  GetPool().worker->Start();
}

void StopBlockingPool() {
  std::shared_ptr<TaskThread> worker;
  {
    std::lock_guard<std::mutex> lock(GetPool().mutex);
    worker.swap(GetPool().worker);
  }
  // Outside the lock: a task that ends may still post.
  if (worker)
    worker->Stop();
}

bool PostToBlockingPool(std::function<void()> task) {
  std::shared_ptr<TaskThread> worker = Worker();
  return worker && worker->Post(std::move(task));
}

}  // namespace cefsim
