#include "cefsim/src/threads/descriptor_poll.h"

#include <errno.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace cefsim {
namespace {

constexpr int kMostEventsPerWait = 32;

int MillisecondsUntil(DescriptorPoll::Clock::time_point deadline) {
  if (deadline == DescriptorPoll::Clock::time_point::max())
    return -1;
  const auto now = DescriptorPoll::Clock::now();
  if (deadline <= now)
    return 0;
  const auto left = deadline - now;
  // Rounded up: waking before the deadline would only spin.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return static_cast<int>(std::min<int64_t>(ms, INT32_MAX));
}

}  // namespace

DescriptorPoll::DescriptorPoll()
    : epoll_fd_(epoll_create1(EPOLL_CLOEXEC)),
      wake_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  // A thread that cannot sleep on its descriptors cannot run at all.
  if (epoll_fd_ < 0 || wake_fd_ < 0 || !Watch(wake_fd_))
    abort();
}

DescriptorPoll::~DescriptorPoll() {
  close(wake_fd_);
  close(epoll_fd_);
}

bool DescriptorPoll::Watch(int fd) {
  epoll_event event = {};
  event.events = EPOLLIN | EPOLLRDHUP;
  event.data.fd = fd;
  return epoll_ctl(epoll_fd_, EPOLL_CTL_ADD, fd, &event) == 0;
}

void DescriptorPoll::Unwatch(int fd) {
  epoll_ctl(epoll_fd_, EPOLL_CTL_DEL, fd, nullptr);
}

void DescriptorPoll::Wait(Clock::time_point deadline, std::vector<int>* ready) {
  ready->clear();
  epoll_event events[kMostEventsPerWait];
  int count = epoll_wait(epoll_fd_, events, kMostEventsPerWait,
                         MillisecondsUntil(deadline));
  for (int i = 0; i < count; ++i) {
    if (events[i].data.fd == wake_fd_) {
      uint64_t wakes;
      // Level-triggered: read, or every later wait would return at once.
      while (read(wake_fd_, &wakes, sizeof(wakes)) < 0 && errno == EINTR) {
      }
      continue;
    }
    ready->push_back(events[i].data.fd);
  }
}

void DescriptorPoll::Wake() {
  const uint64_t one = 1;
  while (write(wake_fd_, &one, sizeof(one)) < 0 && errno == EINTR) {
  }
}

}  // namespace cefsim
