// Lines for Python's logging module, written from the host's main thread.
#ifndef ZUBRIX_BRIDGE_PYTHON_LOGGING_H_
#define ZUBRIX_BRIDGE_PYTHON_LOGGING_H_

#include <Python.h>

#include <string>

namespace zubrix {

// logging's own level numbers, fixed since the module began.
const int kPythonLogInfo = 20;
const int kPythonLogWarning = 30;

// Every function needs the interpreter lock and prints whatever Python
// raises instead of passing it on: the callers are slots with no Python
// caller to hand an error to.

// logging.getLogger(name) as a new reference, or null.
PyObject* GetPythonLogger(const char* name);

// logger.log(level, format, *arguments), each argument UTF-8 text; bytes
// that are not UTF-8 become U+FFFD.
void LogTexts(PyObject* logger, int level, const char* format,
              const std::string& first, const std::string& second);
// The same with an integer between the two texts ("%s:%d: %s").
void LogTextsAroundNumber(PyObject* logger, int level, const char* format,
                          const std::string& first, long number,
                          const std::string& second);

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_PYTHON_LOGGING_H_
