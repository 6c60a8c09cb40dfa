// The C string functions of CEF's API. Owned buffers are allocated with new[]
// and carry a matching destructor, so that any holder can free them.
#include <cstdint>
#include <cstring>
#include <string>

#include "include/base/cef_string16.h"
#include "include/internal/cef_string_types.h"
#include "cefsim/src/strings/utf_conversion.h"

namespace {

template <class Char>
void DeleteBuffer(Char* str) {
  delete[] str;
}

// Replaces |output|'s contents with |len| characters of |src|.
template <class Char, class Struct>
int SetString(const Char* src, size_t len, Struct* output, int copy) {
  if (!output)
    return 0;
  if (output->dtor && output->str)
    output->dtor(output->str);
  output->str = nullptr;
  output->length = 0;
  output->dtor = nullptr;
  if (!src || len == 0)
    return 1;
  if (copy) {
    Char* buffer = new Char[len + 1];
    memcpy(buffer, src, len * sizeof(Char));
    buffer[len] = 0;
    output->str = buffer;
    output->dtor = DeleteBuffer<Char>;
  } else {
    output->str = const_cast<Char*>(src);
  }
  output->length = len;
  return 1;
}

template <class Struct>
void ClearString(Struct* str) {
  if (!str)
    return;
  if (str->dtor && str->str)
    str->dtor(str->str);
  str->str = nullptr;
  str->length = 0;
  str->dtor = nullptr;
}

template <class Struct>
int CompareStrings(const Struct* a, const Struct* b) {
  size_t a_len = a ? a->length : 0;
  size_t b_len = b ? b->length : 0;
  size_t n = a_len < b_len ? a_len : b_len;
  for (size_t i = 0; i < n; ++i) {
    if (a->str[i] != b->str[i])
      return a->str[i] < b->str[i] ? -1 : 1;
  }
  if (a_len == b_len)
    return 0;
  return a_len < b_len ? -1 : 1;
}

template <class String, class Struct>
int StoreConverted(const String& converted, bool valid, Struct* output) {
  SetString(converted.data(), converted.size(), output, 1);
  return valid ? 1 : 0;
}

// Text that is all ASCII, as most text a browser passes around is (URLs,
// names, types), converts unit for unit straight into |output|'s own buffer.
// False, with |output| untouched, for empty text or text with other units.
template <class To, class From, class Struct>
bool StoreAscii(const From* src, size_t len, Struct* output) {
  if (!output || !src || len == 0)
    return false;
  for (size_t i = 0; i < len; ++i) {
    if (static_cast<uint32_t>(src[i]) >= 0x80)
      return false;
  }
  ClearString(output);
  To* buffer = new To[len + 1];
  for (size_t i = 0; i < len; ++i)
    buffer[i] = static_cast<To>(src[i]);
  buffer[len] = 0;
  output->str = buffer;
  output->length = len;
  output->dtor = DeleteBuffer<To>;
  return true;
}

// The conversions work in char16_t; the API's UTF-16 unit is char16.
std::u16string FromApiUnits(const char16* src, size_t len) {
  return std::u16string(src, src + len);
}

base::string16 ToApiUnits(const std::u16string& units) {
  return base::string16(units.begin(), units.end());
}

}  // namespace

extern "C" {

int cef_string_wide_set(const wchar_t* src, size_t src_len,
                        cef_string_wide_t* output, int copy) {
  return SetString(src, src_len, output, copy);
}

int cef_string_utf8_set(const char* src, size_t src_len,
                        cef_string_utf8_t* output, int copy) {
  return SetString(src, src_len, output, copy);
}

int cef_string_utf16_set(const char16* src, size_t src_len,
                         cef_string_utf16_t* output, int copy) {
  return SetString(src, src_len, output, copy);
}

void cef_string_wide_clear(cef_string_wide_t* str) { ClearString(str); }
void cef_string_utf8_clear(cef_string_utf8_t* str) { ClearString(str); }
void cef_string_utf16_clear(cef_string_utf16_t* str) { ClearString(str); }

int cef_string_wide_cmp(const cef_string_wide_t* str1,
                        const cef_string_wide_t* str2) {
  return CompareStrings(str1, str2);
}

int cef_string_utf8_cmp(const cef_string_utf8_t* str1,
                        const cef_string_utf8_t* str2) {
  return CompareStrings(str1, str2);
}

int cef_string_utf16_cmp(const cef_string_utf16_t* str1,
                         const cef_string_utf16_t* str2) {
  return CompareStrings(str1, str2);
}

int cef_string_wide_to_utf8(const wchar_t* src, size_t src_len,
                            cef_string_utf8_t* output) {
  std::u16string utf16;
  bool valid = cefsim::WideToUtf16(src, src_len, &utf16);
  std::string utf8;
  valid = cefsim::Utf16ToUtf8(utf16.data(), utf16.size(), &utf8) && valid;
  return StoreConverted(utf8, valid, output);
}

int cef_string_utf8_to_wide(const char* src, size_t src_len,
                            cef_string_wide_t* output) {
  std::u16string utf16;
  bool valid = cefsim::Utf8ToUtf16(src, src_len, &utf16);
  std::wstring wide;
  valid = cefsim::Utf16ToWide(utf16.data(), utf16.size(), &wide) && valid;
  return StoreConverted(wide, valid, output);
}

int cef_string_wide_to_utf16(const wchar_t* src, size_t src_len,
                             cef_string_utf16_t* output) {
  std::u16string converted;
  bool valid = cefsim::WideToUtf16(src, src_len, &converted);
  return StoreConverted(ToApiUnits(converted), valid, output);
}

int cef_string_utf16_to_wide(const char16* src, size_t src_len,
                             cef_string_wide_t* output) {
  const std::u16string units = FromApiUnits(src, src_len);
  std::wstring converted;
  bool valid = cefsim::Utf16ToWide(units.data(), units.size(), &converted);
  return StoreConverted(converted, valid, output);
}

int cef_string_utf8_to_utf16(const char* src, size_t src_len,
                             cef_string_utf16_t* output) {
  if (StoreAscii<char16>(src, src_len, output))
    return 1;
  std::u16string converted;
  bool valid = cefsim::Utf8ToUtf16(src, src_len, &converted);
  return StoreConverted(ToApiUnits(converted), valid, output);
}

int cef_string_utf16_to_utf8(const char16* src, size_t src_len,
                             cef_string_utf8_t* output) {
  if (StoreAscii<char>(src, src_len, output))
    return 1;
  const std::u16string units = FromApiUnits(src, src_len);
  std::string converted;
  bool valid = cefsim::Utf16ToUtf8(units.data(), units.size(), &converted);
  return StoreConverted(converted, valid, output);
}

int cef_string_ascii_to_wide(const char* src, size_t src_len,
                             cef_string_wide_t* output) {
  std::wstring converted(src, src + src_len);
  return StoreConverted(converted, true, output);
}

int cef_string_ascii_to_utf16(const char* src, size_t src_len,
                              cef_string_utf16_t* output) {
  base::string16 converted(src, src + src_len);
  return StoreConverted(converted, true, output);
}

cef_string_userfree_utf16_t cef_string_userfree_utf16_alloc() {
  return new cef_string_utf16_t();
}

void cef_string_userfree_utf16_free(cef_string_userfree_utf16_t str) {
  cef_string_utf16_clear(str);
  delete str;
}

}  // extern "C"
