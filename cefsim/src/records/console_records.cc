#include "cefsim/src/records/console_records.h"

#include <mutex>

namespace cefsim {
namespace {

struct ConsoleLog {
  std::mutex mutex;
  std::vector<cefsim_inspect::ConsoleRecord> records;
};

ConsoleLog& Log() {
  static auto* log = new ConsoleLog();
  return *log;
}

}  // namespace

void RecordConsoleMessage(const cefsim_inspect::ConsoleRecord& record) {
  std::lock_guard<std::mutex> lock(Log().mutex);
  Log().records.push_back(record);
}

}  // namespace cefsim

namespace cefsim_inspect {

std::vector<ConsoleRecord> ConsoleMessages() {
  std::lock_guard<std::mutex> lock(cefsim::Log().mutex);
  return cefsim::Log().records;
}

}  // namespace cefsim_inspect
