// The out-of-line parts of base::string16, which CEF's client library
// provides where char16 is not wchar_t.
#include "include/base/cef_string16.h"

#include <cstring>
#include <ostream>

#include "cefsim/src/strings/utf_conversion.h"

namespace base {

int c16memcmp(const char16* s1, const char16* s2, size_t n) {
  for (; n > 0; --n, ++s1, ++s2) {
    if (*s1 != *s2)
      return *s1 < *s2 ? -1 : 1;
  }
  return 0;
}

size_t c16len(const char16* s) {
  const char16* end = s;
  while (*end)
    ++end;
  return static_cast<size_t>(end - s);
}

const char16* c16memchr(const char16* s, char16 c, size_t n) {
  for (; n > 0; --n, ++s) {
    if (*s == c)
      return s;
  }
  return nullptr;
}

char16* c16memmove(char16* s1, const char16* s2, size_t n) {
  return static_cast<char16*>(memmove(s1, s2, n * sizeof(char16)));
}

char16* c16memcpy(char16* s1, const char16* s2, size_t n) {
  return static_cast<char16*>(memcpy(s1, s2, n * sizeof(char16)));
}

char16* c16memset(char16* s, char16 c, size_t n) {
  for (size_t i = 0; i < n; ++i)
    s[i] = c;
  return s;
}

std::ostream& operator<<(std::ostream& out, const string16& str) {
  const std::u16string units(str.begin(), str.end());
  std::string utf8;
  cefsim::Utf16ToUtf8(units.data(), units.size(), &utf8);
  return out << utf8;
}

void PrintTo(const string16& str, std::ostream* out) {
  *out << str;
}

}  // namespace base

template class std::basic_string<base::char16, base::string16_char_traits>;
