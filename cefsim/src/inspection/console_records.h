// The console output of every page, in the order it reached the browser
// process.
#ifndef CEFSIM_SRC_INSPECTION_CONSOLE_RECORDS_H_
#define CEFSIM_SRC_INSPECTION_CONSOLE_RECORDS_H_

#include "ipc/page_messages.h"

namespace cefsim {

void RecordConsoleMessage(const ConsoleMessage& message);

}  // namespace cefsim

#endif  // CEFSIM_SRC_INSPECTION_CONSOLE_RECORDS_H_
