// Chromium's path rules for hierarchical URLs (url_canon_path.cc's
// DoPartialPath): which characters are escaped, which escapes are decoded,
// backslashes, and "." and ".." segments, escaped dots included.
#ifndef CEFSIM_SRC_URL_PATH_CANONICALIZER_H_
#define CEFSIM_SRC_URL_PATH_CANONICALIZER_H_

#include <string>

namespace cefsim {

// Appends |path| to |output| by those rules. |output| holds the URL so far;
// the path's own part of it starts at |path_begin|, with a slash, and a ".."
// never backs up past that slash. When |output| already holds path segments
// (resolving a relative reference), it ends with a slash. False when the
// path holds a NUL, escaped or not, which makes the URL invalid.
bool AppendCanonicalPartialPath(const std::string& path, size_t path_begin,
                                std::string* output);

// A whole path: a slash first when |path| has none, then as above.
bool AppendCanonicalPath(const std::string& path, std::string* output);

}  // namespace cefsim

#endif  // CEFSIM_SRC_URL_PATH_CANONICALIZER_H_
