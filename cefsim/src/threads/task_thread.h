// A named thread that runs posted tasks one at a time, in posting order
// (delayed tasks once their delay has passed).
#ifndef CEFSIM_SRC_THREADS_TASK_THREAD_H_
#define CEFSIM_SRC_THREADS_TASK_THREAD_H_

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <queue>
#include <string>
#include <thread>
#include <vector>

namespace cefsim {

class TaskThread {
 public:
  // |idle_hook|, when given, runs on the thread each time it has run tasks
  // and has no further task due.
  explicit TaskThread(std::string name,
                      std::function<void()> idle_hook = nullptr);
  ~TaskThread();  // Stops the thread if it still runs.

  void Start();
  // Runs no further task; tasks still queued are destroyed on the calling
  // thread after the thread has ended. Must not be called from the thread.
  void Stop();

  // False when the thread is not running; the task is then dropped.
  bool Post(std::function<void()> task, int64_t delay_ms = 0);
  bool BelongsToCurrentThread() const;
  const std::string& name() const { return name_; }

 private:
  struct Pending {
    std::chrono::steady_clock::time_point due;
    uint64_t sequence;  // Keeps posting order among equal due times.
    std::function<void()> task;
    bool operator>(const Pending& other) const {
      return due != other.due ? due > other.due : sequence > other.sequence;
    }
  };

  void Run();

  const std::string name_;
  const std::function<void()> idle_hook_;
  std::thread thread_;
  std::thread::id thread_id_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>>
      queue_;
  uint64_t next_sequence_ = 0;
  bool running_ = false;
  bool stopping_ = false;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_THREADS_TASK_THREAD_H_
