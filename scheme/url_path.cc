#include "scheme/url_path.h"

namespace zubrix {
namespace {

typedef CefString::char_type Unit;

// Sets [*start, *end) to the path part of the |size| units at |url|.
void FindPath(const Unit* url, size_t size, size_t* start, size_t* end) {
  size_t colon = 0;
  while (colon < size && url[colon] != ':')
    ++colon;
  *start = *end = colon < size ? colon + 1 : size;
  while (*end < size && url[*end] != '?' && url[*end] != '#')
    ++*end;
}

}  // namespace

std::string PathOfCanonicalUrl(const CefString& url) {
  // The split is at ASCII characters, which are single UTF-16 units, so the
  // path's bounds are found among the units.
  const Unit* const units = url.c_str();
  size_t start = 0;
  size_t end = 0;
  FindPath(units, url.length(), &start, &end);
  // A canonical URL escapes every byte beyond ASCII, so the path's units are
  // its UTF-8 bytes; anything else takes the full conversion.
  std::string path(end - start, '\0');
  Unit beyond_ascii = 0;
  for (size_t i = start; i < end; ++i) {
    beyond_ascii |= units[i] & ~Unit(0x7F);
    path[i - start] = static_cast<char>(units[i]);
  }
  if (beyond_ascii)
    return CefString(units + start, end - start, false).ToString();
  return path;
}

}  // namespace zubrix
