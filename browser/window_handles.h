// Window handles cross the Python boundary as signed 32-bit integers and are
// widened by sign extension.
#ifndef ZUBRIX_BROWSER_WINDOW_HANDLES_H_
#define ZUBRIX_BROWSER_WINDOW_HANDLES_H_

#include <cstdint>

#include "platform/win32_window.h"

namespace zubrix {

inline HWND WindowFromPythonHandle(int handle) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

}  // namespace zubrix

#endif  // ZUBRIX_BROWSER_WINDOW_HANDLES_H_
