// The stand-in keeps its own text as std::u16string, while CEF's API carries
// UTF-16 in char16 units, a type of its own (an unsigned short here). These
// copy between the two, unit by unit.
#ifndef CEFSIM_SRC_STRINGS_U16_TEXT_H_
#define CEFSIM_SRC_STRINGS_U16_TEXT_H_

#include <string>

#include "include/internal/cef_string.h"

namespace cefsim {

inline std::u16string ToU16String(const CefString& text) {
  const char16* units = text.c_str();
  return std::u16string(units, units + text.length());
}

inline CefString FromU16String(const std::u16string& text) {
  return CefString(base::string16(text.begin(), text.end()));
}

}  // namespace cefsim

#endif  // CEFSIM_SRC_STRINGS_U16_TEXT_H_
