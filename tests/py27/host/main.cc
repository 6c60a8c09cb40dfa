// A host application for Python 2.7 scripts, built as a desktop application
// that embeds Python is: a QApplication on the main thread, the interpreter
// embedded beside it, and a built-in module "host_app" through which the
// script makes windows and lets the event loop turn.
//
//   zubrix_py27_host SCRIPT [ARGUMENT...]
//
// Exits with the script's status (see script_runner.h), or the status that
// host_app.quit asked for when the script ended normally.
#include <Python.h>

#include <QApplication>
#include <QByteArray>
#include <cstdio>

#include "host_app_module.h"
#include "script_runner.h"

namespace {

// Py_SetPythonHome keeps the pointer, so the text must outlive the
// interpreter.
char python_home[] = ZUBRIX_PYTHON_HOME;

// Where the host finds its plug-ins, after the script's own folder and
// PYTHONPATH: the modules beside the host program and the helper package
// in the source tree.
void AppendPluginPaths() {
  PyObject* path = PySys_GetObject(const_cast<char*>("path"));  // borrowed
  QByteArray folders[] = {QCoreApplication::applicationDirPath().toUtf8(),
                          QByteArray(ZUBRIX_SOURCE_DIR)};
  for (const QByteArray& folder : folders) {
    PyObject* entry = PyString_FromString(folder.constData());
    if (path && entry)
      PyList_Append(path, entry);
    Py_XDECREF(entry);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SCRIPT [ARGUMENT...]\n", argv[0]);
    return 2;
  }
  // Without a session bus Qt's accessibility asks libdbus to start one, and
  // a render process spawned meanwhile inherits that pipe and stalls the
  // window's first show.
  if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/no-session-bus");
  // Qt sees the program name only; the arguments are the script's.
  int qt_argc = 1;
  QApplication application(qt_argc, argv);

  // The interpreter lives outside the system's prefix: its home is the tree
  // it was unpacked into, unless PYTHONHOME names another.
  if (!qEnvironmentVariableIsSet("PYTHONHOME"))
    Py_SetPythonHome(python_home);
  Py_SetProgramName(argv[0]);
  PyImport_AppendInittab(const_cast<char*>("host_app"), &InitHostAppModule);
  Py_Initialize();
  PyEval_InitThreads();
  PySys_SetArgvEx(argc - 1, argv + 1, 1);
  AppendPluginPaths();

  int status = RunScript(argv[1]);
  if (status == 0)
    status = RequestedExitStatus();
  Py_Finalize();
  return status;
}
