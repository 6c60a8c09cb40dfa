#include "cefsim/src/ipc/frame_outbox.h"

namespace cefsim {

FrameOutbox::FrameOutbox(Channel* channel)
    : channel_(channel), thread_([this] { Run(); }) {}

FrameOutbox::~FrameOutbox() { Close(); }

bool FrameOutbox::Send(uint32_t kind, const std::string& payload) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (closing_ || failed_)
    return false;
  QueueLocked(kind, payload, std::move(lock));
  return true;
}

bool FrameOutbox::SendAtOnce(uint32_t kind, const std::string& payload) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (closing_ || failed_)
    return false;
  if (writing_ || !queued_frames_.empty() ||
      payload.size() > Channel::kMaxPayload) {
    QueueLocked(kind, payload, std::move(lock));
    return true;
  }
  // Nothing waits ahead: written here, without waiting on the peer.
  const ssize_t sent = channel_->SendWithoutWaiting(kind, payload);
  if (sent < 0) {
    failed_ = true;
    return false;
  }
  const size_t offset = static_cast<size_t>(sent);
  if (offset == Channel::FramedSize(payload))
    return true;
  std::string framed;
  Channel::AppendFrame(kind, payload, &framed);
  queued_frames_.append(framed, offset, std::string::npos);
  const bool wake = wake_.ClaimSleeper();
  lock.unlock();
  if (wake)
    wake_.Wake();
  return true;
}

void FrameOutbox::QueueLocked(uint32_t kind, const std::string& payload,
                              std::unique_lock<std::mutex> lock) {
  // A frame too large for the channel goes as its header alone, which ends
  // the stream for the peer, as Chromium's IPC ends a render process that
  // sends one; nothing may follow it.
  if (!Channel::AppendFrame(kind, payload, &queued_frames_))
    failed_ = true;
  const bool wake = wake_.ClaimSleeper();
  lock.unlock();
  if (wake)
    wake_.Wake();
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
    writing_ = true;
    lock.unlock();
    const bool sent = channel_->SendFramed(batch);
    // A burst of large frames does not keep its memory for good.
    if (batch.capacity() > kKeptCapacity)
      std::string().swap(batch);
    else
      batch.clear();
    lock.lock();
    writing_ = false;
    if (!sent) {
      // The peer is gone: what is queued can never arrive.
      failed_ = true;
      queued_frames_.clear();
    }
  }
}

}  // namespace cefsim
