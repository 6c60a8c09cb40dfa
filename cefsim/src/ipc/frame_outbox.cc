#include "ipc/frame_outbox.h"

#include <utility>

namespace cefsim {

FrameOutbox::FrameOutbox(Channel* channel)
    : channel_(channel), thread_([this] { Run(); }) {}

FrameOutbox::~FrameOutbox() { Close(); }

bool FrameOutbox::Send(uint32_t kind, std::string payload) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closing_ || failed_)
    return false;
  frames_.push_back(Frame{kind, std::move(payload)});
  if (frames_.size() == 1) {
    // The thread sleeps until a first frame comes, then gathers.
    first_queued_ = std::chrono::steady_clock::now();
    queued_.notify_one();
  } else if (frames_.size() >= kBatchFrames) {
    flush_ = true;
    queued_.notify_one();
  }
  return true;
}

void FrameOutbox::Flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (frames_.empty() || flush_)
    return;
  flush_ = true;
  queued_.notify_one();
}

void FrameOutbox::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closing_)
      return;
    closing_ = true;
  }
  queued_.notify_one();
  thread_.join();
}

void FrameOutbox::Run() {
  std::vector<Frame> batch;
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    queued_.wait(lock, [this] { return !frames_.empty() || closing_; });
    if (frames_.empty())
      return;
    queued_.wait_until(lock, first_queued_ + kGatherTime,
                       [this] { return flush_ || closing_; });
    flush_ = false;
    batch.swap(frames_);
    lock.unlock();
    const bool sent = channel_->SendAll(batch);
    batch.clear();
    lock.lock();
    if (!sent) {
      // The peer is gone: what is queued can never arrive.
      failed_ = true;
      frames_.clear();
    }
  }
}

}  // namespace cefsim
