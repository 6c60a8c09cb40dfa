#include "scheme/url_path.h"

namespace zubrix {
namespace {

// Sets [*start, *end) to the path part of |url|.
template <typename Char>
void FindPath(const Char* url, size_t size, size_t* start, size_t* end) {
  size_t colon = 0;
  while (colon < size && url[colon] != ':')
    ++colon;
  *start = *end = colon < size ? colon + 1 : size;
  while (*end < size && url[*end] != '?' && url[*end] != '#')
    ++*end;
}

}  // namespace

std::string PathOfCanonicalUrl(const CefString& url) {
  // A canonical URL escapes every byte beyond ASCII, so its UTF-16 units are
  // its UTF-8 bytes; anything else takes the full conversion.
  const CefString::char_type* const units = url.c_str();
  const size_t length = url.length();
  bool ascii = true;
  for (size_t i = 0; i < length && ascii; ++i)
    ascii = units[i] < 0x80;
  size_t start = 0;
  size_t end = 0;
  if (!ascii) {
    const std::string utf8 = url.ToString();
    FindPath(utf8.data(), utf8.size(), &start, &end);
    return utf8.substr(start, end - start);
  }
  FindPath(units, length, &start, &end);
  std::string path(end - start, '\0');
  for (size_t i = start; i < end; ++i)
    path[i - start] = static_cast<char>(units[i]);
  return path;
}

}  // namespace zubrix
