// Blink's rule for a navigation that stays in its document: the target has a
// fragment and is otherwise the document's own URL.
#ifndef CEFSIM_SRC_URL_FRAGMENTS_H_
#define CEFSIM_SRC_URL_FRAGMENTS_H_

#include <string>

namespace cefsim {

bool IsFragmentNavigation(const std::string& document_url,
                          const std::string& target);

// |document_url| with its fragment, if any, replaced by |fragment| (with or
// without its leading '#'), as location.hash's setter makes it.
std::string WithFragment(const std::string& document_url,
                         const std::string& fragment);

// "#x" for a URL ending in "#x"; empty without a fragment or with an empty
// one, as location.hash reads.
std::string FragmentOf(const std::string& url);

}  // namespace cefsim

#endif  // CEFSIM_SRC_URL_FRAGMENTS_H_
