// How a stand-in thread sleeps until another hands it work, as cheaply as
// Chromium's message pumps: one futex word. The sleeper finds nothing to do
// and announces its sleep under its owner's lock; whoever then hands it
// work, under the same lock, claims the sleeper and wakes it once that lock
// is let go. One system call each way, and none while the thread is awake.
#ifndef CEFSIM_SRC_THREADS_THREAD_WAKE_H_
#define CEFSIM_SRC_THREADS_THREAD_WAKE_H_

#include <linux/futex.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>

namespace cefsim {

class ThreadWake {
 public:
  using Clock = std::chrono::steady_clock;

  // With the owner's lock held: the thread has nothing due and will sleep.
  // Returns what Sleep takes.
  uint32_t Announce() {
    asleep_ = true;
    return word_.load(std::memory_order_relaxed);
  }

  // Without the lock: sleeps until woken or |deadline| (Clock's maximum for
  // none), unless a wake came since Announce. May return early; the owner
  // looks again under its lock and calls Woke.
  void Sleep(uint32_t announced, Clock::time_point deadline) {
    timespec at;
    const timespec* until = nullptr;
    if (deadline != Clock::time_point::max()) {
      // steady_clock is CLOCK_MONOTONIC, which FUTEX_WAIT_BITSET measures.
      const auto since_epoch = deadline.time_since_epoch();
      const auto seconds =
          std::chrono::duration_cast<std::chrono::seconds>(since_epoch);
      at.tv_sec = static_cast<time_t>(seconds.count());
      at.tv_nsec = static_cast<long>(
          std::chrono::duration_cast<std::chrono::nanoseconds>(since_epoch -
                                                               seconds)
              .count());
      until = &at;
    }
    syscall(SYS_futex, Word(), FUTEX_WAIT_BITSET_PRIVATE, announced, until,
            nullptr, FUTEX_BITSET_MATCH_ANY);
  }

  // With the owner's lock held, once the thread is back from Sleep.
  void Woke() { asleep_ = false; }

  // With the owner's lock held, after handing over work: true when the
  // thread sleeps (or is about to), and the caller must Wake it once the
  // lock is let go. A second caller finds it claimed.
  bool ClaimSleeper() {
    if (!asleep_)
      return false;
    asleep_ = false;
    word_.fetch_add(1, std::memory_order_relaxed);
    return true;
  }

  // Without the lock, after ClaimSleeper said so.
  void Wake() {
    syscall(SYS_futex, Word(), FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
  }

 private:
  static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t) &&
                    std::atomic<uint32_t>::is_always_lock_free,
                "the futex word must be a plain 32-bit word");

  uint32_t* Word() { return reinterpret_cast<uint32_t*>(&word_); }

  std::atomic<uint32_t> word_{0};
  bool asleep_ = false;  // Guarded by the owner's lock.
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_THREADS_THREAD_WAKE_H_
