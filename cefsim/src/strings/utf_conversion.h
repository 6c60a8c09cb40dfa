// Conversions between UTF-8, UTF-16 and UTF-32 (wchar_t), replacing invalid
// sequences with U+FFFD as Chromium does.
#ifndef CEFSIM_SRC_STRINGS_UTF_CONVERSION_H_
#define CEFSIM_SRC_STRINGS_UTF_CONVERSION_H_

#include <cstddef>
#include <string>

namespace cefsim {

// Each returns false when the input held an invalid sequence.
bool Utf8ToUtf16(const char* src, size_t len, std::u16string* out);
bool Utf16ToUtf8(const char16_t* src, size_t len, std::string* out);
bool WideToUtf16(const wchar_t* src, size_t len, std::u16string* out);
bool Utf16ToWide(const char16_t* src, size_t len, std::wstring* out);

}  // namespace cefsim

#endif  // CEFSIM_SRC_STRINGS_UTF_CONVERSION_H_
