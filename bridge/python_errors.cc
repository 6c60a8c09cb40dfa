#include "bridge/python_errors.h"

#include <Python.h>

#include "bridge/gil_guard.h"
#include "include/base/cef_logging.h"

namespace zubrix {
namespace {

// What PyErr_Print keeps for a post-mortem debugger.
void KeepAsLastException(PyObject* type, PyObject* value,
                         PyObject* traceback) {
  PySys_SetObject(const_cast<char*>("last_type"), type ? type : Py_None);
  PySys_SetObject(const_cast<char*>("last_value"), value ? value : Py_None);
  PySys_SetObject(const_cast<char*>("last_traceback"),
                  traceback ? traceback : Py_None);
}

}  // namespace

void PrintPythonError() {
  DCHECK(HoldsInterpreterLockIfKnown());
  if (!PyErr_ExceptionMatches(PyExc_SystemExit)) {
    PyErr_Print();
    return;
  }
  PyObject* type = nullptr;
  PyObject* value = nullptr;
  PyObject* traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
#if PY_MAJOR_VERSION >= 3
  // Python 3 prints the traceback the exception carries.
  if (value && traceback)
    PyException_SetTraceback(value, traceback);
#endif
  KeepAsLastException(type, value, traceback);
  PyErr_Display(type, value, traceback);
  // Whatever printing itself raised is dropped: there is nowhere left to
  // report it.
  PyErr_Clear();
  Py_XDECREF(type);
  Py_XDECREF(value);
  Py_XDECREF(traceback);
}

}  // namespace zubrix
