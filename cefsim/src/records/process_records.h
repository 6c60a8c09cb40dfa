// The processes the stand-in started or heard from and the settings it was
// initialised with. The runtime and the render process hosts write here; the
// inspection queries read.
#ifndef CEFSIM_SRC_RECORDS_PROCESS_RECORDS_H_
#define CEFSIM_SRC_RECORDS_PROCESS_RECORDS_H_

#include "cefsim/inspection_api/cefsim_inspect.h"

namespace cefsim {

// Adds the record, or replaces the one with the same pid.
void RecordProcess(const cefsim_inspect::ProcessRecord& record);
void RecordProcessExit(int pid);
void RecordInitialize(const CefSettings& settings);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RECORDS_PROCESS_RECORDS_H_
