#include "bridge/python_logging.h"

#include "bridge/python_errors.h"

namespace zubrix {
namespace {

PyObject* Text(const std::string& utf8) {
  return PyUnicode_DecodeUTF8(utf8.data(), static_cast<Py_ssize_t>(utf8.size()),
                              "replace");
}

PyObject* Number(long value) {
  // Python 2's logging takes a level only as int, never as long.
#if PY_MAJOR_VERSION >= 3
  return PyLong_FromLong(value);
#else
  return PyInt_FromLong(value);
#endif
}

// Steals every entry of |items|, null ones included, and calls logger.log
// with them when none is null.
void CallLog(PyObject* logger, PyObject* const* items, Py_ssize_t count) {
  PyObject* arguments = PyTuple_New(count);
  bool complete = arguments != nullptr;
  for (Py_ssize_t i = 0; i < count; ++i) {
    complete = complete && items[i] != nullptr;
    if (arguments && items[i])
      PyTuple_SET_ITEM(arguments, i, items[i]);
    else
      Py_XDECREF(items[i]);
  }
  if (complete) {
    PyObject* log = PyObject_GetAttrString(logger, "log");
    PyObject* result = log ? PyObject_CallObject(log, arguments) : nullptr;
    Py_XDECREF(result);
    Py_XDECREF(log);
  }
  Py_XDECREF(arguments);
  if (PyErr_Occurred())
    PrintPythonError();
}

}  // namespace

PyObject* GetPythonLogger(const char* name) {
  PyObject* logging = PyImport_ImportModule("logging");
  PyObject* logger = logging ? PyObject_CallMethod(logging,
                                                   const_cast<char*>("getLogger"),
                                                   const_cast<char*>("s"), name)
                             : nullptr;
  Py_XDECREF(logging);
  if (!logger)
    PrintPythonError();
  return logger;
}

void LogTexts(PyObject* logger, int level, const char* format,
              const std::string& first, const std::string& second) {
  PyObject* const items[] = {Number(level), PyUnicode_FromString(format),
                             Text(first), Text(second)};
  CallLog(logger, items, 4);
}

void LogTextsAroundNumber(PyObject* logger, int level, const char* format,
                          const std::string& first, long number,
                          const std::string& second) {
  PyObject* const items[] = {Number(level), PyUnicode_FromString(format),
                             Text(first), Number(number), Text(second)};
  CallLog(logger, items, 5);
}

}  // namespace zubrix
