#ifndef CEF_INCLUDE_BASE_CEF_BASICTYPES_H_
#define CEF_INCLUDE_BASE_CEF_BASICTYPES_H_

#include <stddef.h>
#include <stdint.h>

#include "include/base/cef_build.h"

typedef int8_t int8;
typedef uint8_t uint8;
typedef int16_t int16;
typedef uint16_t uint16;
typedef int32_t int32;
typedef uint32_t uint32;
typedef int64_t int64;
typedef uint64_t uint64;

// UTF-16 code unit.
typedef char16_t char16;

#endif  // CEF_INCLUDE_BASE_CEF_BASICTYPES_H_
