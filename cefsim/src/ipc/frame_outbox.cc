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
  // The thread waits only on an empty queue: it needs waking only then.
  const bool was_empty = frames_.empty();
  frames_.push_back(Frame{kind, std::move(payload)});
  if (was_empty)
    queued_.notify_one();
  return true;
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
