#include "cefsim/src/threads/task_thread.h"

#include <pthread.h>

namespace cefsim {

TaskThread::TaskThread(std::string name, bool watches_descriptors)
    : name_(std::move(name)),
      poll_(watches_descriptors ? new DescriptorPoll() : nullptr) {}

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
    WakeSleeper();
  thread_.join();
  decltype(queue_) dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    thread_id_.store(std::thread::id());
    dropped.swap(queue_);
  }
  for (const auto& watched : readable_handlers_)
    poll_->Unwatch(watched.first);
  decltype(readable_handlers_) dropped_handlers;
  dropped_handlers.swap(readable_handlers_);
  // |dropped| and |dropped_handlers| are released here, outside the lock,
  // since releasing a task may post another.
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
    WakeSleeper();
  return true;
}

bool TaskThread::BelongsToCurrentThread() const {
  return thread_id_.load() == std::this_thread::get_id();
}

bool TaskThread::WatchReadable(int fd, std::function<void()> on_readable) {
  if (!poll_ || !BelongsToCurrentThread() || readable_handlers_.count(fd) ||
      !poll_->Watch(fd))
    return false;
  readable_handlers_[fd] =
      std::make_shared<std::function<void()>>(std::move(on_readable));
  return true;
}

void TaskThread::StopWatching(int fd) {
  auto it = readable_handlers_.find(fd);
  if (!BelongsToCurrentThread() || it == readable_handlers_.end())
    return;
  poll_->Unwatch(fd);
  // Released outside the map: the handler may be the one running.
  std::shared_ptr<std::function<void()>> handler = std::move(it->second);
  readable_handlers_.erase(it);
}

void TaskThread::WakeSleeper() {
  if (poll_)
    poll_->Wake();
  else
    wake_.Wake();
}

void TaskThread::RunReadyHandlers() {
  for (int fd : ready_) {
    // Looked up each time: an earlier handler may have stopped this one.
    auto it = readable_handlers_.find(fd);
    if (it == readable_handlers_.end())
      continue;
    std::shared_ptr<std::function<void()>> handler = it->second;
    (*handler)();
  }
}

void TaskThread::Run() {
  pthread_setname_np(pthread_self(), name_.substr(0, 15).c_str());
  std::unique_lock<std::mutex> lock(mutex_);
  while (!stopping_) {
    const Clock::time_point due =
        queue_.empty() ? Clock::time_point::max() : queue_.top().due;
    const bool idle = due > Clock::now();
    if (idle) {
      sleep_until_ = due;
      const uint32_t announced = wake_.Announce();
      lock.unlock();
      if (poll_)
        poll_->Wait(due, &ready_);
      else
        wake_.Sleep(announced, due);
      lock.lock();
      wake_.Woke();
      sleep_until_ = Clock::time_point::max();
    } else if (poll_) {
      // Between tasks, a look at the descriptors without sleeping, so that
      // a busy queue does not hold their reading up.
      lock.unlock();
      poll_->Wait(Clock::time_point::min(), &ready_);
      lock.lock();
    }
    if (!ready_.empty()) {
      lock.unlock();
      RunReadyHandlers();
      ready_.clear();
      lock.lock();
    }
    if (idle || stopping_)
      continue;
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
