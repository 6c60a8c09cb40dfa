// One end of the socket between the browser process and a render process,
// carrying frames: a kind and a payload.
#ifndef CEFSIM_SRC_IPC_CHANNEL_H_
#define CEFSIM_SRC_IPC_CHANNEL_H_

#include <sys/uio.h>

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
  // Frames larger than this are taken as a broken peer.
  static constexpr uint32_t kMaxPayload = 256u * 1024 * 1024;

  explicit Channel(int fd);  // Takes ownership of |fd|.
  ~Channel();

  // Safe from any thread; false once the peer is gone.
  bool Send(uint32_t kind, const std::string& payload);
  // Appends |payload| as one frame to |framed|; false, with |framed| as it
  // was, when the payload is too large to be a frame.
  static bool AppendFrame(uint32_t kind, const std::string& payload,
                          std::string* framed);
  // Sends frames that AppendFrame joined, in as few system calls as the
  // system allows.
  bool SendFramed(const std::string& framed);
  // Blocks for the next frame; false at the end of the stream, on a read
  // error or on a malformed frame. Only one thread may receive.
  bool Receive(Frame* frame);
  // Ends the stream in both directions, waking a blocked Receive.
  void Shutdown();

  // Makes a connected pair; the second end is meant for a child process.
  static bool CreatePair(int* parent_fd, int* child_fd);

 private:
  bool ReadFully(void* out, size_t size);
  // Writes every byte of |pieces|, a header and payload after another.
  bool SendPieces(std::vector<iovec>* pieces);

  const int fd_;
  std::mutex send_mutex_;
  // Bytes read ahead of the frame being received, owned by the receiving
  // thread: one read takes in as many waiting frames as fit.
  std::vector<char> received_;
  size_t received_at_ = 0;
  size_t received_end_ = 0;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_CHANNEL_H_
