#include "inspection/console_records.h"

#include <mutex>

#include "include/internal/cef_string.h"
#include "inspect/cefsim_inspect.h"
#include "strings/u16_text.h"

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

void RecordConsoleMessage(const ConsoleMessage& message) {
  cefsim_inspect::ConsoleRecord record;
  record.browser_id = message.browser_id;
  record.frame_url = cefsim::FromU16String(message.frame_url).ToString();
  record.message = cefsim::FromU16String(message.message).ToString();
  record.source = cefsim::FromU16String(message.source).ToString();
  record.line = message.line;
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
