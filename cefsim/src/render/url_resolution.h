// Resolving a document's src attributes against the document's URL.
#ifndef CEFSIM_SRC_RENDER_URL_RESOLUTION_H_
#define CEFSIM_SRC_RENDER_URL_RESOLUTION_H_

#include <string>

namespace cefsim {

// As Chromium's url::ResolveRelative: |reference| as it is when it has a
// scheme; resolved against |base| when |base| has an authority
// (scheme://authority/path), whether its scheme is standard or not: the
// base is copied up to its path's last slash as it stands, and the
// reference's path follows by the standard path rules (escaping, decoded
// unreserved escapes, backslashes, dot segments). Empty when it cannot be
// resolved, as against a data: URL, or when the result is invalid.
std::string ResolveUrl(const std::string& base, const std::string& reference);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_URL_RESOLUTION_H_
