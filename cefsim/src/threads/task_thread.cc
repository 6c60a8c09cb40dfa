#include "cefsim/src/threads/task_thread.h"

#include <pthread.h>

namespace cefsim {

TaskThread::TaskThread(std::string name, std::function<void()> idle_hook)
    : name_(std::move(name)), idle_hook_(std::move(idle_hook)) {}

TaskThread::~TaskThread() { Stop(); }

void TaskThread::Start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (running_)
    return;
  running_ = true;
  stopping_ = false;
  thread_ = std::thread(&TaskThread::Run, this);
  thread_id_ = thread_.get_id();
}

void TaskThread::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_)
      return;
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  decltype(queue_) dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    thread_id_ = std::thread::id();
    dropped.swap(queue_);
  }
  // |dropped| releases the tasks here, outside the lock, since releasing a
  // task may post another.
}

bool TaskThread::Post(std::function<void()> task, int64_t delay_ms) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!running_ || stopping_)
      return false;
    auto due = std::chrono::steady_clock::now() +
               std::chrono::milliseconds(delay_ms > 0 ? delay_ms : 0);
    queue_.push(Pending{due, next_sequence_++, std::move(task)});
  }
  wake_.notify_one();
  return true;
}

bool TaskThread::BelongsToCurrentThread() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_ && thread_id_ == std::this_thread::get_id();
}

void TaskThread::Run() {
  pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
  std::unique_lock<std::mutex> lock(mutex_);
  bool ran_since_idle = false;
  while (!stopping_) {
    const bool task_due = !queue_.empty() &&
                          queue_.top().due <= std::chrono::steady_clock::now();
    if (!task_due && ran_since_idle && idle_hook_) {
      ran_since_idle = false;
      lock.unlock();
      idle_hook_();
      lock.lock();
      continue;
    }
    if (queue_.empty()) {
      wake_.wait(lock);
      continue;
    }
    auto due = queue_.top().due;
    if (due > std::chrono::steady_clock::now()) {
      wake_.wait_until(lock, due);
      continue;
    }
    ran_since_idle = true;
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
