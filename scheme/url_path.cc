#include "scheme/url_path.h"

namespace zubrix {

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
