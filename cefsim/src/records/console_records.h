// The console output of every page, in the order it reached the browser
// process. The browser process writes here; the inspection queries read.
#ifndef CEFSIM_SRC_RECORDS_CONSOLE_RECORDS_H_
#define CEFSIM_SRC_RECORDS_CONSOLE_RECORDS_H_

#include "cefsim/inspection_api/cefsim_inspect.h"

namespace cefsim {

void RecordConsoleMessage(const cefsim_inspect::ConsoleRecord& record);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RECORDS_CONSOLE_RECORDS_H_
