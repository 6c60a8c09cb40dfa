#include "cefsim/src/ipc/frame_outbox.h"

namespace cefsim {

FrameOutbox::FrameOutbox(Channel* channel)
    : channel_(channel), thread_([this] { Run(); }) {}

FrameOutbox::~FrameOutbox() { Close(); }

bool FrameOutbox::Send(uint32_t kind, const std::string& payload) {
  bool wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closing_ || failed_)
      return false;
    // A frame too large for the channel goes as its header alone, which ends
    // the stream for the peer, as Chromium's IPC ends a render process that
    // sends one; nothing may follow it.
    if (!Channel::AppendFrame(kind, payload, &queued_frames_))
      failed_ = true;
    wake = wake_.ClaimSleeper();
  }
  if (wake)
    wake_.Wake();
  return true;
}

void FrameOutbox::Close() {
  bool wake;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closing_)
      return;
    closing_ = true;
    wake = wake_.ClaimSleeper();
  }
  if (wake)
    wake_.Wake();
  thread_.join();
}

void FrameOutbox::Run() {
  std::string batch;
  std::unique_lock<std::mutex> lock(mutex_);
  while (true) {
    if (queued_frames_.empty()) {
      if (closing_)
        return;
      const uint32_t announced = wake_.Announce();
      lock.unlock();
      wake_.Sleep(announced, ThreadWake::Clock::time_point::max());
      lock.lock();
      wake_.Woke();
      continue;
    }
    batch.swap(queued_frames_);
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
    }
  }
}

}  // namespace cefsim
