#include "cefsim/src/strings/utf_conversion.h"

namespace cefsim {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsValidCodePoint(char32_t c) {
  return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// Reads one code point of UTF-8 at |*i|, advancing past it. Invalid or
// truncated sequences yield false and consume one byte.
bool ReadUtf8(const unsigned char* s, size_t len, size_t* i, char32_t* out) {
  unsigned char lead = s[*i];
  size_t extra;
  char32_t c;
  if (lead < 0x80) {
    *out = lead;
    ++*i;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    c = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    c = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    c = lead & 0x07;
  } else {
    ++*i;
    return false;
  }
  if (*i + extra >= len) {
    ++*i;
    return false;
  }
  for (size_t k = 1; k <= extra; ++k) {
    unsigned char b = s[*i + k];
    if ((b & 0xC0) != 0x80) {
      ++*i;
      return false;
    }
    c = (c << 6) | (b & 0x3F);
  }
  static const char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[extra] || !IsValidCodePoint(c)) {
    ++*i;
    return false;
  }
  *i += extra + 1;
  *out = c;
  return true;
}

void AppendUtf16(char32_t c, std::u16string* out) {
  if (c < 0x10000) {
    out->push_back(static_cast<char16_t>(c));
  } else {
    c -= 0x10000;
    out->push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    out->push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  }
}

// Reads one code point of UTF-16; a lone surrogate yields false.
bool ReadUtf16(const char16_t* s, size_t len, size_t* i, char32_t* out) {
  char16_t u = s[(*i)++];
  if (u < 0xD800 || u > 0xDFFF) {
    *out = u;
    return true;
  }
  if (u <= 0xDBFF && *i < len && s[*i] >= 0xDC00 && s[*i] <= 0xDFFF) {
    *out = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
           (s[*i] - 0xDC00);
    ++*i;
    return true;
  }
  return false;
}

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Calls |append| with each code point of |src|, U+FFFD for lone surrogates.
template <class Append>
bool DecodeUtf16(const char16_t* src, size_t len, Append append) {
  bool valid = true;
  size_t i = 0;
  while (i < len) {
    char32_t c;
    if (!ReadUtf16(src, len, &i, &c)) {
      valid = false;
      c = kReplacement;
    }
    append(c);
  }
  return valid;
}

}  // namespace

bool Utf8ToUtf16(const char* src, size_t len, std::u16string* out) {
  out->clear();
  out->reserve(len);
  const auto* s = reinterpret_cast<const unsigned char*>(src);
  bool valid = true;
  size_t i = 0;
  while (i < len) {
    char32_t c;
    if (!ReadUtf8(s, len, &i, &c)) {
      valid = false;
      c = kReplacement;
    }
    AppendUtf16(c, out);
  }
  return valid;
}

bool Utf16ToUtf8(const char16_t* src, size_t len, std::string* out) {
  out->clear();
  out->reserve(len);
  return DecodeUtf16(src, len, [out](char32_t c) { AppendUtf8(c, out); });
}

bool WideToUtf16(const wchar_t* src, size_t len, std::u16string* out) {
  out->clear();
  out->reserve(len);
  bool valid = true;
  for (size_t i = 0; i < len; ++i) {
    char32_t c = static_cast<char32_t>(src[i]);
    if (!IsValidCodePoint(c)) {
      valid = false;
      c = kReplacement;
    }
    AppendUtf16(c, out);
  }
  return valid;
}

bool Utf16ToWide(const char16_t* src, size_t len, std::wstring* out) {
  out->clear();
  out->reserve(len);
  return DecodeUtf16(src, len, [out](char32_t c) {
    out->push_back(static_cast<wchar_t>(c));
  });
}

}  // namespace cefsim
