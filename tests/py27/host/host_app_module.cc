#include "host_app_module.h"

#include <Python.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <map>

namespace {

// Everything here belongs to the main thread, where Qt and the script run.
std::map<long, QWidget*> windows;
bool quit_requested = false;
int exit_status = 0;

// The time one turn of run_until lets the loop run before it asks again.
constexpr int kTurnMs = 10;

QWidget* WindowFor(long handle) {
  auto entry = windows.find(handle);
  if (entry == windows.end()) {
    PyErr_Format(PyExc_KeyError, "no window with handle %ld", handle);
    return nullptr;
  }
  return entry->second;
}

// Runs the Qt event loop for |ms| milliseconds, without the interpreter
// lock, as the host does between scripts: queued calls that need Python
// take the lock themselves. Returns early once quit was asked for.
void TurnLoop(int ms) {
  if (quit_requested)
    return;
  Py_BEGIN_ALLOW_THREADS
  if (ms <= 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } else {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
  }
  Py_END_ALLOW_THREADS
}

PyObject* CreateWindow(PyObject*, PyObject* args) {
  int width = 320;
  int height = 240;
  if (!PyArg_ParseTuple(args, "|ii:create_window", &width, &height))
    return nullptr;
  QWidget* window = new QWidget;
  window->resize(width, height);
  // A native window exists from here on, shown or not.
  long handle = static_cast<long>(window->winId());
  windows[handle] = window;
  return PyInt_FromLong(handle);
}

// The window named by the only argument, parsed by |format|; null with an
// error set when there is none.
QWidget* WindowArgument(PyObject* args, const char* format, long* handle) {
  if (!PyArg_ParseTuple(args, format, handle))
    return nullptr;
  return WindowFor(*handle);
}

PyObject* ShowWindow(PyObject*, PyObject* args) {
  long handle = 0;
  QWidget* window = WindowArgument(args, "l:show_window", &handle);
  if (!window)
    return nullptr;
  window->show();
  Py_RETURN_NONE;
}

PyObject* ResizeWindow(PyObject*, PyObject* args) {
  long handle = 0;
  int width = 0;
  int height = 0;
  if (!PyArg_ParseTuple(args, "lii:resize_window", &handle, &width, &height))
    return nullptr;
  QWidget* window = WindowFor(handle);
  if (!window)
    return nullptr;
  window->resize(width, height);
  Py_RETURN_NONE;
}

PyObject* DestroyWindow(PyObject*, PyObject* args) {
  long handle = 0;
  QWidget* window = WindowArgument(args, "l:destroy_window", &handle);
  if (!window)
    return nullptr;
  windows.erase(handle);
  delete window;
  Py_RETURN_NONE;
}

PyObject* RunEvents(PyObject*, PyObject* args) {
  double seconds = 0;
  if (!PyArg_ParseTuple(args, "|d:run_events", &seconds))
    return nullptr;
  TurnLoop(static_cast<int>(seconds * 1000));
  Py_RETURN_NONE;
}

PyObject* RunUntil(PyObject*, PyObject* args) {
  PyObject* condition = nullptr;
  double timeout = 10;
  if (!PyArg_ParseTuple(args, "O|d:run_until", &condition, &timeout))
    return nullptr;
  QElapsedTimer clock;
  clock.start();
  while (true) {
    PyObject* answer = PyObject_CallObject(condition, nullptr);
    if (!answer)
      return nullptr;
    int met = PyObject_IsTrue(answer);
    Py_DECREF(answer);
    if (met < 0)
      return nullptr;
    if (met)
      Py_RETURN_TRUE;
    qint64 left = static_cast<qint64>(timeout * 1000) - clock.elapsed();
    if (left <= 0 || quit_requested)
      Py_RETURN_FALSE;
    TurnLoop(static_cast<int>(qMin<qint64>(left, kTurnMs)));
  }
}

PyObject* Quit(PyObject*, PyObject* args) {
  int status = 0;
  if (!PyArg_ParseTuple(args, "|i:quit", &status))
    return nullptr;
  quit_requested = true;
  exit_status = status;
  // Ends every loop that is turning, nested ones included.
  QCoreApplication::exit(status);
  Py_RETURN_NONE;
}

PyMethodDef methods[] = {
    {"create_window", &CreateWindow, METH_VARARGS,
     "create_window(width=320, height=240) -> handle: a new native window, "
     "not shown yet."},
    {"show_window", &ShowWindow, METH_VARARGS, "show_window(handle)"},
    {"resize_window", &ResizeWindow, METH_VARARGS,
     "resize_window(handle, width, height)"},
    {"destroy_window", &DestroyWindow, METH_VARARGS,
     "destroy_window(handle): closes the window and its native window."},
    {"run_events", &RunEvents, METH_VARARGS,
     "run_events(seconds=0): lets the event loop run that long (0: handles "
     "what is pending), without the interpreter lock."},
    {"run_until", &RunUntil, METH_VARARGS,
     "run_until(condition, timeout=10) -> bool: lets the event loop run until "
     "condition() is true (True) or the time is up (False)."},
    {"quit", &Quit, METH_VARARGS,
     "quit(status=0): ends every turn of the event loop, now and later; the "
     "host exits with status once the script returns."},
    {nullptr, nullptr, 0, nullptr}};

}  // namespace

void InitHostAppModule() {
  Py_InitModule("host_app", methods);
}

int RequestedExitStatus() {
  return exit_status;
}
