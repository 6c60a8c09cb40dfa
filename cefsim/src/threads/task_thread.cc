#include "cefsim/src/threads/task_thread.h"

#include <pthread.h>

namespace cefsim {

TaskThread::TaskThread(std::string name) : name_(std::move(name)) {}

TaskThread::~TaskThread() { Stop(); }

void TaskThread::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (running_)
    return;
  running_ = true;
  stopping_ = false;
  thread_ = std::thread(&TaskThread::Run, this);
  thread_id_.store(thread_.get_id());
}

void TaskThread::Stop() {
  bool wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_)
      return;
    stopping_ = true;
    wake = wake_.ClaimSleeper();
  }
  if (wake)
    wake_.Wake();
  thread_.join();
  decltype(queue_) dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    thread_id_.store(std::thread::id());
    dropped.swap(queue_);
  }
  // |dropped| releases the tasks here, outside the lock, since releasing a
  // task may post another.
}

bool TaskThread::Post(std::function<void()> task, int64_t delay_ms) {
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_ || stopping_)
      return false;
    auto due = Clock::now() +
               std::chrono::milliseconds(delay_ms > 0 ? delay_ms : 0);
    // A thread asleep until an earlier task is due needs no wake.
    if (due < sleep_until_)
      wake = wake_.ClaimSleeper();
    queue_.push(Pending{due, next_sequence_++, std::move(task)});
  }
  if (wake)
    wake_.Wake();
  return true;
}

bool TaskThread::BelongsToCurrentThread() const {
  return thread_id_.load() == std::this_thread::get_id();
}

void TaskThread::Run() {
  pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    const Clock::time_point due =
        queue_.empty() ? Clock::time_point::max() : queue_.top().due;
    if (due > Clock::now()) {
      sleep_until_ = due;
      const uint32_t announced = wake_.Announce();
      lock.unlock();
      wake_.Sleep(announced, due);
      lock.lock();
      wake_.Woke();
      sleep_until_ = Clock::time_point::max();
      continue;
    }
    std::function<void()> task =
        std::move(const_cast<Pending&>(queue_.top()).task);
    queue_.pop();
    lock.unlock();
    task();
    task = nullptr;  // Release what the task holds before taking the lock.
    lock.lock();
  }
}

}  // namespace cefsim
