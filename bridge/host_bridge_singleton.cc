#include "bridge/host_bridge_singleton.h"

#include <QThread>
#include <atomic>

#include "bridge/gil_guard.h"
#include "bridge/list_to_tuple.h"
#include "bridge/python_errors.h"
#include "include/base/cef_logging.h"

namespace zubrix {
namespace {

// The host's main thread, noted as the module is imported there.
std::atomic<QThread*> g_home_thread{nullptr};

// Calls |callable| with the list's entries as positional arguments and prints
// whatever it raises. Needs the interpreter lock.
void CallWithList(PyObject* callable, const CefRefPtr<CefListValue>& list) {
  DCHECK(HoldsInterpreterLockIfKnown());
  size_t size = list ? list->GetSize() : 0;
  PyObject* arguments = PyTuple_New(static_cast<Py_ssize_t>(size));
  if (!arguments) {
    PrintPythonError();
    return;
  }
  if (list)
    ListToTuple(list, arguments);
#if PY_MAJOR_VERSION >= 3
  PyObject* result = PyObject_Call(callable, arguments, nullptr);
#else
  PyObject* result = PyEval_CallObjectWithKeywords(callable, arguments, nullptr);
#endif
  Py_XDECREF(result);
  if (PyErr_Occurred())
    PrintPythonError();
  Py_DECREF(arguments);
}

}  // namespace

void HostBridgeSingleton::RememberHomeThread() {
  g_home_thread.store(QThread::currentThread());
}

HostBridgeSingleton* HostBridgeSingleton::Instance() {
  static HostBridgeSingleton* const instance = new HostBridgeSingleton;
  return instance;
}

HostBridgeSingleton::HostBridgeSingleton() {
  // Before any connection carries the type through a queued call. Under the
  // unqualified name, the one the signals' and the slot's signatures use.
  qRegisterMetaType<CefListValueWrapper>("CefListValueWrapper");
  // Queued calls run on the thread an object lives on: made by a worker
  // thread, the bridge would take page calls where no loop delivers them.
  QThread* home = g_home_thread.load();
  if (home && home != thread())
    moveToThread(home);
}

void HostBridgeSingleton::SetStartupCode(uint32_t browser_id,
                                         const std::string& code) {
  startup_codes_.Set(browser_id, code);
}

bool HostBridgeSingleton::GetStartupCode(uint32_t browser_id,
                                         std::string* code) {
  return startup_codes_.Get(browser_id, code);
}

void HostBridgeSingleton::RemoveStartupCode(uint32_t browser_id) {
  startup_codes_.Remove(browser_id);
}

uint32_t HostBridgeSingleton::RegisterPyCallback(PyObject* callable) {
  return callbacks_.Add(callable);
}

void HostBridgeSingleton::UnregisterPyCallback(uint32_t callback_id) {
  GilGuard gil;
  if (!gil.held())
    return;
  callbacks_.Remove(callback_id);
}

void HostBridgeSingleton::SetConsoleLogger(PyObject* logger) {
  console_log_.SetLogger(logger);
}

void HostBridgeSingleton::page_console_message(QString source, int line,
                                               QString message) {
  DCHECK(QThread::currentThread() == thread());
  GilGuard gil;
  if (!gil.held())
    return;
  console_log_.Log(source.toUtf8().toStdString(), line,
                   message.toUtf8().toStdString());
}

void HostBridgeSingleton::PostLoadFailure(const std::string& url,
                                          const std::string& reason) {
  QMetaObject::invokeMethod(this, "load_failed", Qt::QueuedConnection,
                            Q_ARG(QString, QString::fromStdString(url)),
                            Q_ARG(QString, QString::fromStdString(reason)));
}

void HostBridgeSingleton::load_failed(QString url, QString reason) {
  DCHECK(QThread::currentThread() == thread());
  GilGuard gil;
  if (!gil.held())
    return;
  load_failures_.Log(url.toUtf8().toStdString(), reason.toUtf8().toStdString());
}

void HostBridgeSingleton::execute_python_callback(int callback_id,
                                                  CefListValueWrapper args) {
  // Queued to the thread the instance was made on, the host's main thread.
  DCHECK(QThread::currentThread() == thread());
  // Without an interpreter the call is dropped untouched.
  GilGuard gil;
  if (!gil.held())
    return;
  // Looked up under the lock, so registrations from other Python threads
  // cannot overlap it. The id is matched by its bit pattern.
  PyObject* callable = callbacks_.Find(static_cast<uint32_t>(callback_id));
  if (!callable)
    return;
  if (PyCallable_Check(callable))
    CallWithList(callable, args.list);
  Py_DECREF(callable);
}

}  // namespace zubrix
