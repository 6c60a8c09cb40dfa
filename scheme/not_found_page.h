// The small HTML page that answers a request for something unreadable.
#ifndef ZUBRIX_SCHEME_NOT_FOUND_PAGE_H_
#define ZUBRIX_SCHEME_NOT_FOUND_PAGE_H_

#include <string>

namespace zubrix {

// Names |name|, HTML-escaped: the name comes from the URL, and a page of
// this scheme can reach Python, so it must not be able to carry script.
std::string NotFoundPage(const std::string& name);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_NOT_FOUND_PAGE_H_
