// The few URL operations the stand-in's own loaders need.
#ifndef CEFSIM_SRC_FETCH_URL_PIECES_H_
#define CEFSIM_SRC_FETCH_URL_PIECES_H_

#include <string>

namespace cefsim {

// The scheme in lower case, or empty when |url| has none.
std::string SchemeOf(const std::string& url);
// "%41" becomes "A"; a "%" without two hex digits after it stays as it is.
std::string PercentDecode(const std::string& text);

}  // namespace cefsim

#endif  // CEFSIM_SRC_FETCH_URL_PIECES_H_
