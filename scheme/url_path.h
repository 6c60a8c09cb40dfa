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

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_URL_PATH_H_
