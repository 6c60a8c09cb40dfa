#include "bridge/gil_guard.h"

namespace zubrix {

GilGuard::GilGuard() {
  if (Py_IsInitialized()) {
    state_ = PyGILState_Ensure();
    held_ = true;
  }
}

GilGuard::~GilGuard() {
  Release();
}

void GilGuard::Release() {
  if (!held_)
    return;
  held_ = false;
  PyGILState_Release(state_);
}

}  // namespace zubrix
