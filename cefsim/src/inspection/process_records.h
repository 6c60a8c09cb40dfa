#ifndef CEFSIM_SRC_INSPECTION_PROCESS_RECORDS_H_
#define CEFSIM_SRC_INSPECTION_PROCESS_RECORDS_H_

#include "inspect/cefsim_inspect.h"

namespace cefsim {

// Adds the record, or replaces the one with the same pid.
void RecordProcess(const cefsim_inspect::ProcessRecord& record);
void RecordProcessExit(int pid);
void RecordInitialize(const CefSettings& settings);

}  // namespace cefsim

#endif  // CEFSIM_SRC_INSPECTION_PROCESS_RECORDS_H_
