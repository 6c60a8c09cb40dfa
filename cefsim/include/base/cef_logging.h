// Stand-in for CEF's logging macros: LOG, LOG_IF, CHECK, DLOG, DCHECK and
// NOTREACHED with CEF's names and meaning. DCHECKs are on unless NDEBUG is
// defined without DCHECK_ALWAYS_ON; a failed CHECK or DCHECK logs at FATAL,
// which prints the message and aborts the process.
#ifndef CEF_INCLUDE_BASE_CEF_LOGGING_H_
#define CEF_INCLUDE_BASE_CEF_LOGGING_H_

#include <sstream>
#include <string>

#if defined(NDEBUG) && !defined(DCHECK_ALWAYS_ON)
#define DCHECK_IS_ON() 0
#else
#define DCHECK_IS_ON() 1
#endif

namespace cef {
namespace logging {

typedef int LogSeverity;
const LogSeverity LOG_VERBOSE = -1;
const LogSeverity LOG_INFO = 0;
const LogSeverity LOG_WARNING = 1;
const LogSeverity LOG_ERROR = 2;
const LogSeverity LOG_FATAL = 3;
const LogSeverity LOG_NUM_SEVERITIES = 4;
#ifdef NDEBUG
const LogSeverity LOG_DFATAL = LOG_ERROR;
#else
const LogSeverity LOG_DFATAL = LOG_FATAL;
#endif
#if DCHECK_IS_ON()
const LogSeverity LOG_DCHECK = LOG_FATAL;
#else
const LogSeverity LOG_DCHECK = LOG_INFO;
#endif

// Messages below this severity are not written.
int GetMinLogLevel();

// One message: streamed into, written (to stderr) when destroyed.
class LogMessage {
 public:
  LogMessage(const char* file, int line, LogSeverity severity);
  ~LogMessage();
  LogMessage(const LogMessage&) = delete;
  LogMessage& operator=(const LogMessage&) = delete;

  std::ostream& stream() { return stream_; }

 private:
  LogSeverity severity_;
  std::ostringstream stream_;
  const char* file_;
  const int line_;
};

// Turns a stream expression into void, for the conditional macros.
class LogMessageVoidify {
 public:
  LogMessageVoidify() {}
  void operator&(std::ostream&) {}
};

}  // namespace logging
}  // namespace cef

#define LAZY_STREAM(stream, condition) \
  !(condition) ? (void)0 : ::cef::logging::LogMessageVoidify() & (stream)

#define COMPACT_GOOGLE_LOG_INFO \
  ::cef::logging::LogMessage(__FILE__, __LINE__, ::cef::logging::LOG_INFO)
#define COMPACT_GOOGLE_LOG_WARNING \
  ::cef::logging::LogMessage(__FILE__, __LINE__, ::cef::logging::LOG_WARNING)
#define COMPACT_GOOGLE_LOG_ERROR \
  ::cef::logging::LogMessage(__FILE__, __LINE__, ::cef::logging::LOG_ERROR)
#define COMPACT_GOOGLE_LOG_FATAL \
  ::cef::logging::LogMessage(__FILE__, __LINE__, ::cef::logging::LOG_FATAL)
#define COMPACT_GOOGLE_LOG_DFATAL \
  ::cef::logging::LogMessage(__FILE__, __LINE__, ::cef::logging::LOG_DFATAL)
#define COMPACT_GOOGLE_LOG_DCHECK \
  ::cef::logging::LogMessage(__FILE__, __LINE__, ::cef::logging::LOG_DCHECK)

#define LOG_STREAM(severity) COMPACT_GOOGLE_LOG_##severity.stream()
#define LOG_IS_ON(severity) \
  ((::cef::logging::LOG_##severity) >= ::cef::logging::GetMinLogLevel())

#define LOG(severity) LAZY_STREAM(LOG_STREAM(severity), LOG_IS_ON(severity))
#define LOG_IF(severity, condition) \
  LAZY_STREAM(LOG_STREAM(severity), LOG_IS_ON(severity) && (condition))

#define CHECK(condition)                       \
  LAZY_STREAM(LOG_STREAM(FATAL), !(condition)) \
      << "Check failed: " #condition ". "

#if DCHECK_IS_ON()
#define DLOG_IS_ON(severity) LOG_IS_ON(severity)
#else
#define DLOG_IS_ON(severity) false
#endif
#define DLOG(severity) LAZY_STREAM(LOG_STREAM(severity), DLOG_IS_ON(severity))
#define DLOG_IF(severity, condition) \
  LAZY_STREAM(LOG_STREAM(severity), DLOG_IS_ON(severity) && (condition))

// The condition is compiled in either way, so that a variable used only in
// a DCHECK is not unused.
#define DCHECK(condition)                                         \
  LAZY_STREAM(LOG_STREAM(DCHECK), DCHECK_IS_ON() && !(condition)) \
      << "Check failed: " #condition ". "

#define NOTREACHED() DCHECK(false)

#endif  // CEF_INCLUDE_BASE_CEF_LOGGING_H_
