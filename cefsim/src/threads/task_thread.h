// A named thread that runs posted tasks one at a time, in posting order
// (delayed tasks once their delay has passed); the IO thread also reads
// the descriptors it watches, between tasks, as Chromium's does.
#ifndef CEFSIM_SRC_THREADS_TASK_THREAD_H_
#define CEFSIM_SRC_THREADS_TASK_THREAD_H_

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <queue>
#include <string>
#include <thread>
#include <vector>

#include "cefsim/src/threads/descriptor_poll.h"
#include "cefsim/src/threads/thread_wake.h"

namespace cefsim {

class TaskThread {
 public:
  explicit TaskThread(std::string name, bool watches_descriptors = false);
  ~TaskThread();  // Stops the thread if it still runs.

  void Start();
  // Runs no further task; tasks still queued are destroyed on the calling
  // thread after the thread has ended. Must not be called from the thread.
  void Stop();

  // False when the thread is not running; the task is then dropped. Wakes
  // the thread only when it sleeps past the task's due time.
  bool Post(std::function<void()> task, int64_t delay_ms = 0);
  // Takes no lock: asked on every post between threads.
  bool BelongsToCurrentThread() const;
  const std::string& name() const { return name_; }

  // On this thread, of one that watches descriptors: runs |on_readable|
  // here whenever |fd| has bytes or has ended, until StopWatching. False
  // when |fd| cannot be watched.
  bool WatchReadable(int fd, std::function<void()> on_readable);
  // On this thread: |fd|'s handler runs no more and is let go.
  void StopWatching(int fd);

 private:
  using Clock = ThreadWake::Clock;

  struct Pending {
    Clock::time_point due;
    uint64_t sequence;  // Keeps posting order among equal due times.
    std::function<void()> task;
    bool operator>(const Pending& other) const {
      return due != other.due ? due > other.due : sequence > other.sequence;
    }
  };

  void Run();
  void WakeSleeper();
  void RunReadyHandlers();

  const std::string name_;
  std::thread thread_;
  // The running thread's id, or none: written under |mutex_|, read without.
  std::atomic<std::thread::id> thread_id_{};
  mutable std::mutex mutex_;
  ThreadWake wake_;
  // Until when the thread sleeps, while it does.  Guarded by |mutex_|.
  Clock::time_point sleep_until_ = Clock::time_point::max();
  std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>>
      queue_;
  uint64_t next_sequence_ = 0;
  bool running_ = false;
  bool stopping_ = false;
  // Null for a thread that watches no descriptors. The handlers and the
  // list of ready descriptors are this thread's alone while it runs.
  const std::unique_ptr<DescriptorPoll> poll_;
  std::map<int, std::shared_ptr<std::function<void()>>> readable_handlers_;
  std::vector<int> ready_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_THREADS_TASK_THREAD_H_
