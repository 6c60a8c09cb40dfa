// Reference counts changed with atomic operations, so that counted objects may
// be shared between threads.
#ifndef CEF_INCLUDE_BASE_CEF_ATOMIC_REF_COUNT_H_
#define CEF_INCLUDE_BASE_CEF_ATOMIC_REF_COUNT_H_

#include "include/base/cef_basictypes.h"

namespace base {

typedef int32 AtomicRefCount;

inline void AtomicRefCountIncN(volatile AtomicRefCount* ptr, AtomicRefCount n) {
  __atomic_add_fetch(ptr, n, __ATOMIC_RELAXED);
}

// Returns false when the count reached zero.
inline bool AtomicRefCountDecN(volatile AtomicRefCount* ptr, AtomicRefCount n) {
  return __atomic_sub_fetch(ptr, n, __ATOMIC_ACQ_REL) != 0;
}

inline void AtomicRefCountInc(volatile AtomicRefCount* ptr) {
  AtomicRefCountIncN(ptr, 1);
}

inline bool AtomicRefCountDec(volatile AtomicRefCount* ptr) {
  return AtomicRefCountDecN(ptr, 1);
}

inline bool AtomicRefCountIsOne(volatile AtomicRefCount* ptr) {
  return __atomic_load_n(ptr, __ATOMIC_ACQUIRE) == 1;
}

inline bool AtomicRefCountIsZero(volatile AtomicRefCount* ptr) {
  return __atomic_load_n(ptr, __ATOMIC_ACQUIRE) == 0;
}

}  // namespace base

#endif  // CEF_INCLUDE_BASE_CEF_ATOMIC_REF_COUNT_H_
