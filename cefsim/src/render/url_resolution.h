// Resolving a document's src attributes against the document's URL.
#ifndef CEFSIM_SRC_RENDER_URL_RESOLUTION_H_
#define CEFSIM_SRC_RENDER_URL_RESOLUTION_H_

#include <string>

namespace cefsim {

// |reference| unchanged when it has a scheme; resolved against |base| when
// |base| is hierarchical (scheme://authority/path); empty when it cannot be
// resolved, as against a data: URL.
std::string ResolveUrl(const std::string& base, const std::string& reference);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_URL_RESOLUTION_H_
