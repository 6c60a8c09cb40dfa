#include "bridge/page_console_log.h"

#include "bridge/python_logging.h"

namespace zubrix {
namespace {

const char kDefaultLogger[] = "zubrix_cef.page";
const char kUncaughtPrefix[] = "Uncaught";
// A data: URL holds its whole page; a log line needs only its start.
const char kDataScheme[] = "data:";
const size_t kDataUrlLimit = 120;

std::string ShownSource(const std::string& source) {
  if (source.compare(0, sizeof(kDataScheme) - 1, kDataScheme) != 0 ||
      source.size() <= kDataUrlLimit) {
    return source;
  }
  // Cut at a character's first byte, so the UTF-8 stays whole.
  size_t end = kDataUrlLimit;
  while (end > 0 && (static_cast<unsigned char>(source[end]) & 0xC0) == 0x80)
    --end;
  return source.substr(0, end) + "...";
}

}  // namespace

void PageConsoleLog::SetLogger(PyObject* logger) {
  Py_INCREF(logger);
  PyObject* previous = logger_;
  logger_ = logger;
  // Last: releasing the old logger may run Python code that logs.
  Py_XDECREF(previous);
}

void PageConsoleLog::Log(const std::string& source, int line,
                         const std::string& message) {
  if (logger_ == Py_None)
    return;
  PyObject* logger = logger_;
  if (logger)
    Py_INCREF(logger);
  else
    logger = GetPythonLogger(kDefaultLogger);
  if (!logger)
    return;
  const int level = message.compare(0, sizeof(kUncaughtPrefix) - 1,
                                    kUncaughtPrefix) == 0
                        ? kPythonLogWarning
                        : kPythonLogInfo;
  LogTextsAroundNumber(logger, level, "%s:%d: %s", ShownSource(source), line,
                       message);
  Py_DECREF(logger);
}

}  // namespace zubrix
