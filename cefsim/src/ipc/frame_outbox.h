// The frames one side of a channel sends, written by a thread of their own,
// as Chromium's renderer hands its messages to its IO thread, which writes
// them at once. What queued up while the thread was writing (or waking) leaves
// with the next write, so that a page's burst of messages costs the render
// thread no system call each and reaches the browser process in few reads.
// Frames leave in the order they were queued.
#ifndef CEFSIM_SRC_IPC_FRAME_OUTBOX_H_
#define CEFSIM_SRC_IPC_FRAME_OUTBOX_H_

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "cefsim/src/ipc/channel.h"
#include "cefsim/src/threads/thread_wake.h"

namespace cefsim {

class FrameOutbox {
 public:
  // |channel| must outlive the outbox.
  explicit FrameOutbox(Channel* channel);
  ~FrameOutbox();
  FrameOutbox(const FrameOutbox&) = delete;
  FrameOutbox& operator=(const FrameOutbox&) = delete;

  // The most memory a sent batch keeps for the next one.
  static constexpr size_t kKeptCapacity = 1 << 20;

  // Queues a frame; safe from any thread. False, and the frame dropped,
  // once the channel has failed or the outbox is closed. A payload too large
  // for the channel is queued as its header alone, which breaks the channel
  // for the peer, and later frames are dropped. The payload is copied, so
  // that its memory stays with the thread that made it.
  bool Send(uint32_t kind, const std::string& payload);
  // As Send, but when nothing waits ahead of it the calling thread writes
  // the frame itself, as far as the socket takes it without waiting, as
  // Chromium's channel writes on its IO thread; only what did not fit is
  // left to the outbox's thread, which waits for the socket to drain (as
  // Chromium's channel watches its descriptor). The caller never blocks on
  // a peer that reads slowly, and a lone frame costs no thread switch.
  bool SendAtOnce(uint32_t kind, const std::string& payload);
  // Sends what is queued, then stops the thread. Later frames are dropped.
  void Close();

 private:
  // Appends the frame for the thread and wakes it; lets |lock| go.
  void QueueLocked(uint32_t kind, const std::string& payload,
                   std::unique_lock<std::mutex> lock);
  void Run();

  Channel* const channel_;
  std::mutex mutex_;
  ThreadWake wake_;
  // The queued frames, joined as they go out; the thread swaps it with the
  // buffer it last sent, so that both keep their memory from batch to
  // batch.  Guarded by |mutex_|.
  std::string queued_frames_;
  // The thread writes a batch, without |mutex_|: nobody else writes.
  bool writing_ = false;       // Guarded by |mutex_|.
  bool closing_ = false;       // Guarded by |mutex_|.
  bool failed_ = false;        // Guarded by |mutex_|.
  std::thread thread_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_FRAME_OUTBOX_H_
