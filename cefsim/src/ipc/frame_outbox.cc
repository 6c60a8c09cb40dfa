#include "cefsim/src/ipc/frame_outbox.h"

namespace cefsim {

FrameOutbox::FrameOutbox(Channel* channel)
    : channel_(channel), thread_([this] { Run(); }) {}

FrameOutbox::~FrameOutbox() { Close(); }

bool FrameOutbox::Send(uint32_t kind, const std::string& payload) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closing_ || failed_)
    return false;
  // A frame too large for the channel goes as its header alone, which ends
  // the stream for the peer, as Chromium's IPC ends a render process that
  // sends one; nothing may follow it.
  if (!Channel::AppendFrame(kind, payload, &queued_frames_))
    failed_ = true;
  ++queued_count_;
  if (queued_count_ == 1) {
    // The thread sleeps until a first frame comes, then gathers.
    first_queued_ = std::chrono::steady_clock::now();
    queued_.notify_one();
  } else if (queued_count_ >= kBatchFrames) {
    flush_ = true;
    queued_.notify_one();
  }
  return true;
}

void FrameOutbox::Flush() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (queued_count_ == 0 || flush_)
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
  std::string batch;
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    queued_.wait(lock, [this] { return queued_count_ > 0 || closing_; });
    if (queued_count_ == 0)
      return;
    queued_.wait_until(lock, first_queued_ + kGatherTime,
                       [this] { return flush_ || closing_; });
    flush_ = false;
    batch.swap(queued_frames_);
    queued_count_ = 0;
    lock.unlock();
    const bool sent = channel_->SendFramed(batch);
    // A burst of large frames does not keep its memory for good.
    if (batch.capacity() > kKeptCapacity)
      std::string().swap(batch);
    else
      batch.clear();
    lock.lock();
    if (!sent) {
      // The peer is gone: what is queued can never arrive.
      failed_ = true;
      queued_frames_.clear();
      queued_count_ = 0;
    }
  }
}

}  // namespace cefsim
