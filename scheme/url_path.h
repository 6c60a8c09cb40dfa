// The path of a URL as CEF hands it to a resource handler.
#ifndef ZUBRIX_SCHEME_URL_PATH_H_
#define ZUBRIX_SCHEME_URL_PATH_H_

#include <string>

#include "include/cef_base.h"

namespace zubrix {

// What follows the scheme's colon up to the query or the fragment, unchanged,
// in UTF-8. CEF gives handlers canonical URLs, whose path for a non-standard
// scheme is exactly that, so no parsing beyond the split is needed. Empty
// when |url| has no colon.
std::string PathOfCanonicalUrl(const CefString& url);

// |path| with its percent escapes decoded, as Chromium escapes a file name's
// spaces and non-ASCII letters (as UTF-8) in the URLs it requests. Decoded
// once: "%2520" gives "%20". When the decoded bytes would not be UTF-8, which
// names no file, |path| comes back as it is.
std::string DecodePathEscapes(const std::string& path);

// Where that path lies among |url|'s UTF-16 units: [start, end).
struct UrlPathBounds {
  size_t start;
  size_t end;
};
UrlPathBounds FindPathOfCanonicalUrl(const CefString& url);

// Whether the |size| UTF-16 units at |units| are all ASCII.
bool IsAsciiUnits(const CefString::char_type* units, size_t size);

// Appends |size| ASCII UTF-16 units to |text|, each as its own byte.
void AppendAsciiUnits(const CefString::char_type* units, size_t size,
                      std::string* text);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_URL_PATH_H_
