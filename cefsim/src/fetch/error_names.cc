#include "cefsim/src/fetch/error_names.h"

#include <map>

#include "include/internal/cef_types.h"

namespace cefsim {

std::string NetErrorName(int error_code) {
  static const std::map<int, const char*> kNames = {
      {ERR_FAILED, "ERR_FAILED"},
      {ERR_ABORTED, "ERR_ABORTED"},
      {ERR_INVALID_ARGUMENT, "ERR_INVALID_ARGUMENT"},
      {ERR_FILE_NOT_FOUND, "ERR_FILE_NOT_FOUND"},
      {ERR_TIMED_OUT, "ERR_TIMED_OUT"},
      {ERR_ACCESS_DENIED, "ERR_ACCESS_DENIED"},
      {ERR_NAME_NOT_RESOLVED, "ERR_NAME_NOT_RESOLVED"},
      {ERR_INVALID_URL, "ERR_INVALID_URL"},
      {ERR_UNKNOWN_URL_SCHEME, "ERR_UNKNOWN_URL_SCHEME"},
      {ERR_INVALID_RESPONSE, "ERR_INVALID_RESPONSE"},
      {ERR_EMPTY_RESPONSE, "ERR_EMPTY_RESPONSE"},
  };
  auto it = kNames.find(error_code);
  return it != kNames.end() ? std::string("net::") + it->second
                            : "net::ERR_" + std::to_string(-error_code);
}

}  // namespace cefsim
