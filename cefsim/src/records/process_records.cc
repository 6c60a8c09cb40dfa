#include "cefsim/src/records/process_records.h"

#include <mutex>

namespace cefsim {
namespace {

struct Records {
  std::mutex mutex;
  std::vector<cefsim_inspect::ProcessRecord> processes;
  CefSettings last_settings;
  int initialize_count = 0;
};

Records& GetRecords() {
  static auto* records = new Records();
  return *records;
}

}  // namespace

void RecordProcess(const cefsim_inspect::ProcessRecord& record) {
  Records& records = GetRecords();
  std::lock_guard<std::mutex> lock(records.mutex);
  for (auto& existing : records.processes) {
    if (existing.pid == record.pid) {
      existing = record;
      return;
    }
  }
  records.processes.push_back(record);
}

void RecordProcessExit(int pid) {
  Records& records = GetRecords();
  std::lock_guard<std::mutex> lock(records.mutex);
  for (auto& existing : records.processes) {
    if (existing.pid == pid)
      existing.alive = false;
  }
}

void RecordInitialize(const CefSettings& settings) {
  Records& records = GetRecords();
  std::lock_guard<std::mutex> lock(records.mutex);
  records.last_settings = settings;
  ++records.initialize_count;
}

}  // namespace cefsim

namespace cefsim_inspect {

bool LastSettings(CefSettings* settings) {
  cefsim::Records& records = cefsim::GetRecords();
  std::lock_guard<std::mutex> lock(records.mutex);
  if (records.initialize_count == 0)
    return false;
  *settings = records.last_settings;
  return true;
}

int InitializeCount() {
  cefsim::Records& records = cefsim::GetRecords();
  std::lock_guard<std::mutex> lock(records.mutex);
  return records.initialize_count;
}

std::vector<ProcessRecord> Processes() {
  cefsim::Records& records = cefsim::GetRecords();
  std::lock_guard<std::mutex> lock(records.mutex);
  return records.processes;
}

}  // namespace cefsim_inspect
