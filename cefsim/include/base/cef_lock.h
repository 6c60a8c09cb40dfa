// Locks of CEF's base library, over the standard mutex.
#ifndef CEF_INCLUDE_BASE_CEF_LOCK_H_
#define CEF_INCLUDE_BASE_CEF_LOCK_H_

#include <mutex>

#include "include/base/cef_macros.h"

namespace base {
namespace cef_internal {

class Lock {
 public:
  Lock() {}

  void Acquire() { mutex_.lock(); }
  void Release() { mutex_.unlock(); }
  bool Try() { return mutex_.try_lock(); }
  void AssertAcquired() const {}

 private:
  std::mutex mutex_;
  DISALLOW_COPY_AND_ASSIGN(Lock);
};

class AutoLock {
 public:
  explicit AutoLock(Lock& lock) : lock_(lock) { lock_.Acquire(); }
  ~AutoLock() { lock_.Release(); }

 private:
  Lock& lock_;
  DISALLOW_COPY_AND_ASSIGN(AutoLock);
};

class AutoUnlock {
 public:
  explicit AutoUnlock(Lock& lock) : lock_(lock) { lock_.Release(); }
  ~AutoUnlock() { lock_.Acquire(); }

 private:
  Lock& lock_;
  DISALLOW_COPY_AND_ASSIGN(AutoUnlock);
};

}  // namespace cef_internal

using cef_internal::AutoLock;
using cef_internal::AutoUnlock;
using cef_internal::Lock;

}  // namespace base

#endif  // CEF_INCLUDE_BASE_CEF_LOCK_H_
