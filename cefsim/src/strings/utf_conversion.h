// Conversions between UTF-8, UTF-16 (in CEF's char16 units) and UTF-32
// (wchar_t), replacing invalid sequences with U+FFFD as Chromium does.
#ifndef CEFSIM_SRC_STRINGS_UTF_CONVERSION_H_
#define CEFSIM_SRC_STRINGS_UTF_CONVERSION_H_

#include <cstddef>
#include <string>

#include "include/base/cef_string16.h"

namespace cefsim {

// Each returns false when the input held an invalid sequence.
bool Utf8ToUtf16(const char* src, size_t len, base::string16* out);
bool Utf16ToUtf8(const char16* src, size_t len, std::string* out);
bool WideToUtf16(const wchar_t* src, size_t len, base::string16* out);
bool Utf16ToWide(const char16* src, size_t len, std::wstring* out);

}  // namespace cefsim

#endif  // CEFSIM_SRC_STRINGS_UTF_CONVERSION_H_
