#ifndef CEF_INCLUDE_BASE_CEF_BASICTYPES_H_
#define CEF_INCLUDE_BASE_CEF_BASICTYPES_H_

#include <limits.h>
#include <stddef.h>

#include "include/base/cef_build.h"

// The fixed-width names CEF declares, no more: 64-bit as |long| on LP64.
typedef long int64;
typedef unsigned long uint64;
typedef int int32;
typedef unsigned int uint32;

// UTF-16 code unit. wchar_t holds UTF-32 here, so CEF makes it an unsigned
// short: not char16_t, which converts to nothing CEF accepts.
typedef unsigned short char16;

#endif  // CEF_INCLUDE_BASE_CEF_BASICTYPES_H_
