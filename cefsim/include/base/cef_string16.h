#ifndef CEF_INCLUDE_BASE_CEF_STRING16_H_
#define CEF_INCLUDE_BASE_CEF_STRING16_H_

#include <string>

#include "include/base/cef_basictypes.h"

namespace base {
typedef ::char16 char16;
typedef std::basic_string<char16> string16;
}  // namespace base

#endif  // CEF_INCLUDE_BASE_CEF_STRING16_H_
