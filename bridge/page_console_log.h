// Where pages' console messages go in Python: the "zubrix_cef.page" logger
// unless the host names another logger or none.
#ifndef ZUBRIX_BRIDGE_PAGE_CONSOLE_LOG_H_
#define ZUBRIX_BRIDGE_PAGE_CONSOLE_LOG_H_

#include <Python.h>

#include <string>

namespace zubrix {

// Owned by the interpreter lock: every member needs it held.
class PageConsoleLog {
 public:
  PageConsoleLog() = default;
  PageConsoleLog(const PageConsoleLog&) = delete;
  PageConsoleLog& operator=(const PageConsoleLog&) = delete;

  // |logger|: an object with a log method like logging.Logger's, or None to
  // drop every message. Keeps a reference to it.
  void SetLogger(PyObject* logger);
  // "<source>:<line>: <message>", WARNING for an uncaught error (its text
  // starts "Uncaught") and INFO for the rest: CEF gives no level.
  void Log(const std::string& source, int line, const std::string& message);

 private:
  // Null until the host chooses: the default logger is looked up at each
  // message, so that logging's own configuration stays in charge of it.
  PyObject* logger_ = nullptr;
};

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_PAGE_CONSOLE_LOG_H_
