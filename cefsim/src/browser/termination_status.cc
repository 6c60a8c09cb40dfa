#include "cefsim/src/browser/termination_status.h"

#include <signal.h>
#include <sys/wait.h>

namespace cefsim {

cef_termination_status_t TerminationStatusOf(int wait_status) {
  if (WIFSIGNALED(wait_status)) {
    int signal_number = WTERMSIG(wait_status);
    return signal_number == SIGKILL || signal_number == SIGTERM
               ? TS_PROCESS_WAS_KILLED
               : TS_PROCESS_CRASHED;
  }
  // A render process has no reason to end while its browser is open, so
  // any exit is abnormal.
  return TS_ABNORMAL_TERMINATION;
}

}  // namespace cefsim
