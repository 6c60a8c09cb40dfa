#include "script_runner.h"

#include <Python.h>

#include <cstdio>

namespace {

// The exit status that a pending SystemExit asks for, as the interpreter's
// own main reads it: None is 0, an integer is itself, anything else is
// printed to sys.stderr and gives 1. Clears the error.
int StatusOfSystemExit() {
  PyObject* type = nullptr;
  PyObject* value = nullptr;
  PyObject* traceback = nullptr;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  PyObject* code = value ? PyObject_GetAttrString(value, "code") : nullptr;
  PyErr_Clear();
  int status = 1;
  if (code == Py_None) {
    status = 0;
  } else if (code && (PyInt_Check(code) || PyLong_Check(code))) {
    status = static_cast<int>(PyInt_AsLong(code));
  } else if (code) {
    PyObject* error_stream = PySys_GetObject(const_cast<char*>("stderr"));
    if (error_stream) {
      PyFile_WriteObject(code, error_stream, Py_PRINT_RAW);
      PyFile_WriteString("\n", error_stream);
    }
  }
  PyErr_Clear();
  Py_XDECREF(code);
  Py_XDECREF(type);
  Py_XDECREF(value);
  Py_XDECREF(traceback);
  return status;
}

}  // namespace

int RunScript(const char* path) {
  FILE* file = std::fopen(path, "r");
  if (!file) {
    std::fprintf(stderr, "cannot open %s\n", path);
    return 2;
  }
  PyObject* main_module = PyImport_AddModule("__main__");  // borrowed
  PyObject* globals = PyModule_GetDict(main_module);       // borrowed
  PyObject* file_name = PyString_FromString(path);
  PyDict_SetItemString(globals, "__file__", file_name);
  Py_XDECREF(file_name);
  PyObject* result = PyRun_FileEx(file, path, Py_file_input, globals, globals,
                                  /*closeit=*/1);
  if (result) {
    Py_DECREF(result);
    return 0;
  }
  if (PyErr_ExceptionMatches(PyExc_SystemExit))
    return StatusOfSystemExit();
  PyErr_Print();
  return 1;
}
