// Chromium's names for network errors, as load errors and the console show
// them ("net::ERR_FILE_NOT_FOUND").
#ifndef CEFSIM_SRC_FETCH_ERROR_NAMES_H_
#define CEFSIM_SRC_FETCH_ERROR_NAMES_H_

#include <string>

namespace cefsim {

std::string NetErrorName(int error_code);

}  // namespace cefsim

#endif  // CEFSIM_SRC_FETCH_ERROR_NAMES_H_
