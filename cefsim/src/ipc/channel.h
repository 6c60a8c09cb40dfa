// One end of the socket between the browser process and a render process,
// carrying frames: a kind and a payload.
#ifndef CEFSIM_SRC_IPC_CHANNEL_H_
#define CEFSIM_SRC_IPC_CHANNEL_H_

#include <sys/uio.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace cefsim {

struct Frame {
  uint32_t kind = 0;
  std::string payload;
};

class Channel {
 public:
  // Chromium's IPC::Channel::kMaximumMessageSize: a peer that announces a
  // larger frame breaks the channel, as it does in Chromium, whose browser
  // process then ends the render process.
  static constexpr uint32_t kMaxPayload = 128u * 1024 * 1024;

  explicit Channel(int fd);  // Takes ownership of |fd|.
  ~Channel();

  // Safe from any thread; false once the peer is gone. A payload larger
  // than kMaxPayload is announced but not sent, since the peer stops
  // reading at the announcement; nothing is sent after it.
  bool Send(uint32_t kind, const std::string& payload);
  // Appends |payload| as one frame to |framed|. False when the payload is
  // larger than kMaxPayload: then only the frame's header is appended, and
  // the stream must end with it.
  static bool AppendFrame(uint32_t kind, const std::string& payload,
                          std::string* framed);
  // The bytes a frame with |payload| takes on the channel.
  static size_t FramedSize(const std::string& payload);
  // Sends frames that AppendFrame joined, in as few system calls as the
  // system allows.
  bool SendFramed(const std::string& framed);
  // Sends as much of the frame as the socket takes without waiting: how
  // many bytes (header first) went out, all, some or none; -1 once the peer
  // is gone. The payload must be within kMaxPayload.
  ssize_t SendWithoutWaiting(uint32_t kind, const std::string& payload);
  // Blocks for the next frame; false at the end of the stream, on a read
  // error or on a malformed frame. Only one thread may receive.
  bool Receive(Frame* frame);
  enum class Incoming { kFrame, kNothingYet, kEnded };
  // As Receive, but reads only what the socket holds: kNothingYet when no
  // whole frame has arrived (a part is kept for the next call).
  Incoming ReceiveAvailable(Frame* frame);
  // For watching the channel; reading stays with the calls above.
  int fd() const { return fd_; }
  // Whether Receive met a frame larger than kMaxPayload: the peer broke the
  // channel, rather than ending it.
  bool broken() const { return broken_.load(); }
  // Ends the stream in both directions, waking a blocked Receive.
  void Shutdown();

  // Makes a connected pair; the second end is meant for a child process.
  static bool CreatePair(int* parent_fd, int* child_fd);

 private:
  Incoming Next(Frame* frame, bool wait);
  // Reads at most |size| bytes to |out|: how many, 0 when none came
  // without waiting, -1 at the end of the stream or on an error.
  ssize_t ReadSome(void* out, size_t size, bool wait);
  // Writes every byte of |pieces|, a header and payload after another; with
  // |send_mutex_| held.
  bool SendPiecesLocked(std::vector<iovec>* pieces);

  const int fd_;
  std::mutex send_mutex_;
  bool send_ended_ = false;  // Guarded by |send_mutex_|.
  std::atomic<bool> broken_{false};
  // Owned by the receiving thread. Bytes read ahead of the frame being
  // received: one read takes in as many waiting frames as fit.
  std::vector<char> received_;
  size_t received_at_ = 0;
  size_t received_end_ = 0;
  // The frame being received, once its header has arrived.
  bool header_read_ = false;
  uint32_t payload_size_ = 0;
  Frame partial_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_CHANNEL_H_
