#include "scheme/url_path.h"

namespace zubrix {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length;
    unsigned int code_point;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code_point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code_point = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code_point = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length)
      return false;
    for (size_t k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80)
        return false;
      code_point = (code_point << 6) | (next & 0x3F);
    }
    const unsigned int smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code_point < smallest[length] || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF))
      return false;
    i += length;
  }
  return true;
}

}  // namespace

std::string DecodePathEscapes(const std::string& path) {
  if (path.find('%') == std::string::npos)
    return path;
  std::string decoded;
  decoded.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    const int high =
        path[i] == '%' && i + 2 < path.size() ? HexDigitValue(path[i + 1]) : -1;
    const int low = high >= 0 ? HexDigitValue(path[i + 2]) : -1;
    if (low < 0) {
      decoded += path[i];
      continue;
    }
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return IsUtf8(decoded) ? decoded : path;
}

UrlPathBounds FindPathOfCanonicalUrl(const CefString& url) {
  // The split is at ASCII characters, which are single UTF-16 units, so the
  // path's bounds are found among the units.
  const CefString::char_type* const units = url.c_str();
  const size_t size = url.length();
  size_t colon = 0;
  while (colon < size && units[colon] != ':')
    ++colon;
  UrlPathBounds bounds;
  bounds.start = bounds.end = colon < size ? colon + 1 : size;
  while (bounds.end < size && units[bounds.end] != '?' &&
         units[bounds.end] != '#')
    ++bounds.end;
  return bounds;
}

bool IsAsciiUnits(const CefString::char_type* units, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (units[i] >= 0x80)
      return false;
  }
  return true;
}

void AppendAsciiUnits(const CefString::char_type* units, size_t size,
                      std::string* text) {
  const size_t old_size = text->size();
  text->resize(old_size + size);
  for (size_t i = 0; i < size; ++i)
    (*text)[old_size + i] = static_cast<char>(units[i]);
}

std::string PathOfCanonicalUrl(const CefString& url) {
  const UrlPathBounds bounds = FindPathOfCanonicalUrl(url);
  const CefString::char_type* const path = url.c_str() + bounds.start;
  const size_t size = bounds.end - bounds.start;
  // A canonical URL escapes every byte beyond ASCII, so the path's units are
  // its UTF-8 bytes; anything else takes the full conversion.
  if (!IsAsciiUnits(path, size))
    return CefString(path, size, false).ToString();
  std::string utf8;
  AppendAsciiUnits(path, size, &utf8);
  return utf8;
}

}  // namespace zubrix
