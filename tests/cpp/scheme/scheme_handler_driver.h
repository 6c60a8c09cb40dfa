// Drives a PlovexClientSchemeHandler through one request the way CEF does,
// and records what it answered.
#ifndef ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_
#define ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_

#include <string>
#include <vector>

#include "include/cef_base.h"

struct ServedRequest {
  bool taken = false;
  int continued = 0;
  int cancelled = 0;
  int status = 0;
  std::string mime_type;
  int64 length = -1;
  std::string body;
  // The byte count of every ReadResponse call that returned true.
  std::vector<int> pieces;
};

ServedRequest ServeUrl(const std::string& url, int bytes_to_read = 65536);

#endif  // ZUBRIX_TESTS_CPP_SCHEME_SCHEME_HANDLER_DRIVER_H_
