#include "include/base/cef_logging.h"

#include <cstdio>
#include <cstdlib>

namespace cef {
namespace logging {
namespace {

const char* SeverityName(LogSeverity severity) {
  switch (severity) {
    case LOG_INFO:
      return "INFO";
    case LOG_WARNING:
      return "WARNING";
    case LOG_ERROR:
      return "ERROR";
    case LOG_FATAL:
      return "FATAL";
    default:
      return "VERBOSE";
  }
}

}  // namespace

int GetMinLogLevel() {
  return LOG_INFO;
}

LogMessage::LogMessage(const char* file, int line, LogSeverity severity)
    : severity_(severity), file_(file), line_(line) {}

LogMessage::~LogMessage() {
  // One write per message, so that messages from several threads do not
  // interleave within a line.
  std::string line = "[" + std::string(SeverityName(severity_)) + ":" +
                     file_ + "(" + std::to_string(line_) + ")] " +
                     stream_.str() + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  if (severity_ >= LOG_FATAL) {
    std::fflush(stderr);
    std::abort();
  }
}

}  // namespace logging
}  // namespace cef
