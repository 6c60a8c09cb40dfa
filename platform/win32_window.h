// The Win32 windowing calls the system uses. On Windows they are the real
// ones; elsewhere the project's layer over X11 declares the same names, with
// Win32's values, so the system's code reads the same on both.
#ifndef ZUBRIX_PLATFORM_WIN32_WINDOW_H_
#define ZUBRIX_PLATFORM_WIN32_WINDOW_H_

#if defined(_WIN32)
#include <windows.h>
#else

#include <cstdint>

struct HWND__;
typedef HWND__* HWND;  // An X11 window id carried in a pointer-sized handle.
typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned long DWORD;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct RECT {
  long left;
  long top;
  long right;
  long bottom;
};

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_TABSTOP 0x00010000L
#define WS_OVERLAPPEDWINDOW                                       \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |      \
   WS_MINIMIZEBOX | WS_MAXIMIZEBOX)

#define CW_USEDEFAULT ((int)0x80000000)

#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004

#define WM_CLOSE 0x0010

#define GA_ROOT 2

BOOL GetClientRect(HWND window, RECT* rect);
BOOL IsWindow(HWND window);
BOOL SetWindowPos(HWND window, HWND insert_after, int x, int y, int cx,
                  int cy, UINT flags);
BOOL DestroyWindow(HWND window);
// GA_ROOT only: the top-level window that `window` belongs to.
HWND GetAncestor(HWND window, UINT flags);
// WM_CLOSE only, as a close request from outside the window's owner: see
// win32_close_request_x11.cc.
BOOL PostMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

#endif  // _WIN32
#endif  // ZUBRIX_PLATFORM_WIN32_WINDOW_H_
