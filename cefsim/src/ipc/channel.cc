#include "ipc/channel.h"

#include <errno.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace cefsim {
namespace {

struct FrameHeader {
  uint32_t kind;
  uint32_t size;
};

// Payloads are read in pieces so that a peer announcing a huge frame cannot
// make us allocate memory it never sends.
constexpr size_t kReadPiece = 1 << 20;

}  // namespace

Channel::Channel(int fd) : fd_(fd) {}

Channel::~Channel() {
  if (fd_ >= 0)
    close(fd_);
}

bool Channel::CreatePair(int* parent_fd, int* child_fd) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
    return false;
  *parent_fd = fds[0];
  *child_fd = fds[1];
  return true;
}

bool Channel::Send(uint32_t kind, const std::string& payload) {
  if (payload.size() > kMaxPayload)
    return false;
  FrameHeader header{kind, static_cast<uint32_t>(payload.size())};
  std::string frame(reinterpret_cast<const char*>(&header), sizeof(header));
  frame += payload;
  std::lock_guard<std::mutex> lock(send_mutex_);
  const char* data = frame.data();
  size_t left = frame.size();
  while (left > 0) {
    // MSG_NOSIGNAL: a peer that died must not take this process down with
    // SIGPIPE.
    ssize_t sent = send(fd_, data, left, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR)
      continue;
    if (sent <= 0)
      return false;
    data += sent;
    left -= static_cast<size_t>(sent);
  }
  return true;
}

bool Channel::ReadFully(void* out, size_t size) {
  char* data = static_cast<char*>(out);
  while (size > 0) {
    ssize_t got = recv(fd_, data, size, 0);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0)
      return false;
    data += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool Channel::Receive(Frame* frame) {
  FrameHeader header;
  if (!ReadFully(&header, sizeof(header)) || header.size > kMaxPayload)
    return false;
  frame->kind = header.kind;
  frame->payload.clear();
  size_t left = header.size;
  while (left > 0) {
    size_t piece = left < kReadPiece ? left : kReadPiece;
    size_t at = frame->payload.size();
    frame->payload.resize(at + piece);
    if (!ReadFully(&frame->payload[at], piece))
      return false;
    left -= piece;
  }
  return true;
}

void Channel::Shutdown() { shutdown(fd_, SHUT_RDWR); }

}  // namespace cefsim
