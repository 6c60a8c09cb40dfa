// data: URLs: data:[<media type>][;base64],<data>.
#ifndef CEFSIM_SRC_FETCH_DATA_URL_H_
#define CEFSIM_SRC_FETCH_DATA_URL_H_

#include <string>

namespace cefsim {

struct DataUrlContent {
  std::string mime_type;  // Lower case; "text/plain" when none is given.
  std::string charset;    // The charset parameter; empty when none is given.
  std::string body;
};

// False when |url| is not a well-formed data: URL.
bool ParseDataUrl(const std::string& url, DataUrlContent* content);

}  // namespace cefsim

#endif  // CEFSIM_SRC_FETCH_DATA_URL_H_
