// Holds the Python interpreter lock for a scope, and takes nothing when the
// interpreter is not (or no longer) initialised.
#ifndef ZUBRIX_BRIDGE_GIL_GUARD_H_
#define ZUBRIX_BRIDGE_GIL_GUARD_H_

#include <Python.h>

namespace zubrix {

class GilGuard {
 public:
  GilGuard();
  ~GilGuard();
  GilGuard(const GilGuard&) = delete;
  GilGuard& operator=(const GilGuard&) = delete;

  // False when the interpreter was not initialised: the caller must not touch
  // Python.
  bool held() const { return held_; }
  void Release();

 private:
  PyGILState_STATE state_ = PyGILState_UNLOCKED;
  bool held_ = false;
};

// For DCHECKs of code that needs the interpreter lock. Python 2.7 cannot say
// whether the calling thread holds it; there the callers' comments must do.
inline bool HoldsInterpreterLockIfKnown() {
#if PY_VERSION_HEX >= 0x03040000
  return PyGILState_Check() != 0;
#else
  return true;
#endif
}

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_GIL_GUARD_H_
