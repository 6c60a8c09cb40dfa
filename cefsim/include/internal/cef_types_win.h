// Window and start-up structures in the layout of CEF's Windows build: the
// stand-in's windows are the X11 windows of the project's Win32 layer.
#ifndef CEF_INCLUDE_INTERNAL_CEF_TYPES_WIN_H_
#define CEF_INCLUDE_INTERNAL_CEF_TYPES_WIN_H_

#include "include/internal/cef_string.h"
#include "platform/win32_window.h"

typedef void* HMENU;

#define cef_window_handle_t HWND
#define kNullWindowHandle NULL

#ifdef __cplusplus
extern "C" {
#endif

// The process's own arguments (on Windows this is the instance handle).
typedef struct _cef_main_args_t {
  int argc;
  char** argv;
} cef_main_args_t;

typedef struct _cef_window_info_t {
  DWORD ex_style;
  cef_string_t window_name;
  DWORD style;
  int x;
  int y;
  int width;
  int height;
  cef_window_handle_t parent_window;
  HMENU menu;
  int windowless_rendering_enabled;
  cef_window_handle_t window;
} cef_window_info_t;

#ifdef __cplusplus
}
#endif

#endif  // CEF_INCLUDE_INTERNAL_CEF_TYPES_WIN_H_
