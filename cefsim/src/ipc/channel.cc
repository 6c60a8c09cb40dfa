#include "cefsim/src/ipc/channel.h"

#include <errno.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
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
// Read-ahead: a burst of small frames arrives in one read instead of two
// reads per frame.
constexpr size_t kReadAhead = 64 * 1024;
// The browser's end: what it may send ahead of a render process's reading.
constexpr int kSendBufferBytes = 1 << 20;

FrameHeader HeaderFor(uint32_t kind, const std::string& payload) {
  // A size past what the header holds is announced as the largest it can.
  const size_t size = std::min<size_t>(payload.size(), UINT32_MAX);
  return FrameHeader{kind, static_cast<uint32_t>(size)};
}

}  // namespace

Channel::Channel(int fd) : fd_(fd), received_(kReadAhead) {}

Channel::~Channel() {
  if (fd_ >= 0)
    close(fd_);
}

bool Channel::CreatePair(int* parent_fd, int* child_fd) {
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
    return false;
  // Room for the body pieces the browser sends ahead, as Chromium's shared
  // buffer for them: without it the writer thread would wake for most
  // pieces. The system may grant less; the writer thread then does more.
  const int send_buffer = kSendBufferBytes;
  setsockopt(fds[0], SOL_SOCKET, SO_SNDBUF, &send_buffer, sizeof(send_buffer));
  *parent_fd = fds[0];
  *child_fd = fds[1];
  return true;
}

bool Channel::Send(uint32_t kind, const std::string& payload) {
  FrameHeader header = HeaderFor(kind, payload);
  const bool whole = payload.size() <= kMaxPayload;
  // Header and payload leave in one call, without joining them first.
  std::vector<iovec> pieces = {{&header, sizeof(header)}};
  if (whole)
    pieces.push_back({const_cast<char*>(payload.data()), payload.size()});
  std::lock_guard<std::mutex> lock(send_mutex_);
  if (send_ended_)
    return false;
  send_ended_ = !whole;
  return SendPiecesLocked(&pieces);
}

bool Channel::AppendFrame(uint32_t kind, const std::string& payload,
                          std::string* framed) {
  const FrameHeader header = HeaderFor(kind, payload);
  framed->append(reinterpret_cast<const char*>(&header), sizeof(header));
  if (payload.size() > kMaxPayload)
    return false;
  framed->append(payload);
  return true;
}

size_t Channel::FramedSize(const std::string& payload) {
  return sizeof(FrameHeader) + payload.size();
}

bool Channel::SendFramed(const std::string& framed) {
  std::vector<iovec> pieces = {
      {const_cast<char*>(framed.data()), framed.size()}};
  std::lock_guard<std::mutex> lock(send_mutex_);
  return !send_ended_ && SendPiecesLocked(&pieces);
}

ssize_t Channel::SendWithoutWaiting(uint32_t kind, const std::string& payload) {
  FrameHeader header = HeaderFor(kind, payload);
  iovec pieces[] = {{&header, sizeof(header)},
                    {const_cast<char*>(payload.data()), payload.size()}};
  msghdr message = {};
  message.msg_iov = pieces;
  message.msg_iovlen = 2;
  std::lock_guard<std::mutex> lock(send_mutex_);
  if (send_ended_)
    return -1;
  while (true) {
    ssize_t sent = sendmsg(fd_, &message, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent >= 0)
      return sent;
    if (errno == EAGAIN || errno == EWOULDBLOCK)
      return 0;
    if (errno != EINTR)
      return -1;
  }
}

bool Channel::SendPiecesLocked(std::vector<iovec>* pieces) {
  iovec* next = pieces->data();
  size_t left = pieces->size();
  while (left > 0) {
    msghdr message = {};
    message.msg_iov = next;
    message.msg_iovlen = std::min<size_t>(left, IOV_MAX);
    // MSG_NOSIGNAL: a peer that died must not take this process down with
    // SIGPIPE.
    ssize_t sent = sendmsg(fd_, &message, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR)
      continue;
    if (sent < 0 || (sent == 0 && next->iov_len > 0))
      return false;
    // Past what went out: whole pieces, then into the next one.
    size_t done = static_cast<size_t>(sent);
    while (left > 0 && done >= next->iov_len) {
      done -= next->iov_len;
      ++next;
      --left;
    }
    if (left > 0) {
      next->iov_base = static_cast<char*>(next->iov_base) + done;
      next->iov_len -= done;
    }
  }
  return true;
}

ssize_t Channel::ReadSome(void* out, size_t size, bool wait) {
  while (true) {
    ssize_t got = recv(fd_, out, size, wait ? 0 : MSG_DONTWAIT);
    if (got > 0)
      return got;
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0 && !wait && (errno == EAGAIN || errno == EWOULDBLOCK))
      return 0;
    return -1;
  }
}

Channel::Incoming Channel::Next(Frame* frame, bool wait) {
  while (true) {
    size_t buffered = received_end_ - received_at_;
    if (!header_read_ && buffered >= sizeof(FrameHeader)) {
      FrameHeader header;
      memcpy(&header, received_.data() + received_at_, sizeof(header));
      received_at_ += sizeof(header);
      buffered -= sizeof(header);
      if (header.size > kMaxPayload) {
        broken_.store(true);
        return Incoming::kEnded;
      }
      header_read_ = true;
      payload_size_ = header.size;
      partial_.kind = header.kind;
      partial_.payload.clear();
    }
    if (header_read_) {
      const size_t take =
          std::min(buffered, payload_size_ - partial_.payload.size());
      partial_.payload.append(received_.data() + received_at_, take);
      received_at_ += take;
      buffered -= take;
      if (partial_.payload.size() == payload_size_) {
        header_read_ = false;
        *frame = std::move(partial_);
        partial_ = Frame();
        return Incoming::kFrame;
      }
      // A large remainder goes straight to its place, grown a piece at a
      // time so that a peer announcing a huge frame cannot make us
      // allocate memory it never sends.
      const size_t left = payload_size_ - partial_.payload.size();
      if (left >= received_.size()) {
        const size_t at = partial_.payload.size();
        const size_t piece = std::min(left, kReadPiece);
        partial_.payload.resize(at + piece);
        ssize_t got = ReadSome(&partial_.payload[at], piece, wait);
        partial_.payload.resize(at + (got > 0 ? got : 0));
        if (got < 0)
          return Incoming::kEnded;
        if (got == 0)
          return Incoming::kNothingYet;
        continue;
      }
    }
    // Small reads read ahead: what is left of the buffer moves to its front.
    if (received_at_ > 0) {
      memmove(received_.data(), received_.data() + received_at_, buffered);
      received_at_ = 0;
      received_end_ = buffered;
    }
    ssize_t got = ReadSome(received_.data() + received_end_,
                           received_.size() - received_end_, wait);
    if (got < 0)
      return Incoming::kEnded;
    if (got == 0)
      return Incoming::kNothingYet;
    received_end_ += static_cast<size_t>(got);
  }
}

bool Channel::Receive(Frame* frame) {
  return Next(frame, true) == Incoming::kFrame;
}

Channel::Incoming Channel::ReceiveAvailable(Frame* frame) {
  return Next(frame, false);
}

void Channel::Shutdown() { shutdown(fd_, SHUT_RDWR); }

}  // namespace cefsim
