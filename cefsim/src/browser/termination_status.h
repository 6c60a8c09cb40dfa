// How a render process ended, in CEF's terms.
#ifndef CEFSIM_SRC_BROWSER_TERMINATION_STATUS_H_
#define CEFSIM_SRC_BROWSER_TERMINATION_STATUS_H_

#include "include/internal/cef_types.h"

namespace cefsim {

// |wait_status| as waitpid reports it.
cef_termination_status_t TerminationStatusOf(int wait_status);

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_TERMINATION_STATUS_H_
