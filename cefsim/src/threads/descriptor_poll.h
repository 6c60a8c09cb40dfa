// How Chromium's IO thread sleeps (its message pump over libevent): until a
// watched descriptor is readable, another thread hands it work, or a
// delayed task falls due. Only the owning thread waits; any thread wakes.
#ifndef CEFSIM_SRC_THREADS_DESCRIPTOR_POLL_H_
#define CEFSIM_SRC_THREADS_DESCRIPTOR_POLL_H_

#include <chrono>
#include <vector>

namespace cefsim {

class DescriptorPoll {
 public:
  using Clock = std::chrono::steady_clock;

  DescriptorPoll();
  ~DescriptorPoll();

  // Watches |fd| for bytes to read and for its end. False when it cannot.
  bool Watch(int fd);
  void Unwatch(int fd);

  // Sleeps until a watched descriptor is readable, Wake is called or
  // |deadline| (Clock's maximum for none; a past one only looks), and puts
  // the readable descriptors in |ready|.
  void Wait(Clock::time_point deadline, std::vector<int>* ready);
  // Any thread: the next Wait, or the one under way, returns at once.
  void Wake();

 private:
  const int epoll_fd_;
  const int wake_fd_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_THREADS_DESCRIPTOR_POLL_H_
