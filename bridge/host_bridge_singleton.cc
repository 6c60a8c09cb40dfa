#include "bridge/host_bridge_singleton.h"

#include "bridge/gil_guard.h"
#include "bridge/python_errors.h"
#include "renderer/list_to_tuple.h"

namespace {

// Calls |callable| with the list's entries as positional arguments and prints
// whatever it raises. Needs the interpreter lock.
void CallWithList(PyObject* callable, CefRefPtr<CefListValue> list) {
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

HostBridgeSingleton* HostBridgeSingleton::Instance() {
  static HostBridgeSingleton* const instance = new HostBridgeSingleton;
  return instance;
}

HostBridgeSingleton::HostBridgeSingleton() {
  // Before any connection carries the type through a queued call.
  qRegisterMetaType<CefListValueWrapper>("CefListValueWrapper");
}

void HostBridgeSingleton::SetStartupCode(uint32_t browser_id,
                                         const std::string& code) {
  std::lock_guard<std::mutex> lock(startup_codes_mutex_);
  startup_codes_[browser_id] = code;
}

bool HostBridgeSingleton::GetStartupCode(uint32_t browser_id,
                                         std::string* code) {
  std::lock_guard<std::mutex> lock(startup_codes_mutex_);
  auto entry = startup_codes_.find(browser_id);
  if (entry == startup_codes_.end())
    return false;
  *code = entry->second;
  return true;
}

void HostBridgeSingleton::RemoveStartupCode(uint32_t browser_id) {
  std::lock_guard<std::mutex> lock(startup_codes_mutex_);
  startup_codes_.erase(browser_id);
}

uint32_t HostBridgeSingleton::RegisterPyCallback(PyObject* callable) {
  // Once the counter has wrapped, ids still registered are passed over, so
  // that an id never names two callables.
  while (callbacks_.count(next_callback_id_) != 0)
    ++next_callback_id_;
  uint32_t callback_id = next_callback_id_++;
  Py_INCREF(callable);
  callbacks_.emplace(callback_id, callable);
  return callback_id;
}

void HostBridgeSingleton::UnregisterPyCallback(uint32_t callback_id) {
  GilGuard gil;
  if (!gil.held())
    return;
  auto entry = callbacks_.find(callback_id);
  if (entry == callbacks_.end())
    return;
  PyObject* callable = entry->second;
  callbacks_.erase(entry);
  // Only once the entry is gone: releasing may run Python code that uses the
  // registry.
  Py_DECREF(callable);
}

void HostBridgeSingleton::execute_python_callback(int callback_id,
                                                  CefListValueWrapper args) {
  // Without an interpreter the call is dropped untouched.
  GilGuard gil;
  if (!gil.held())
    return;
  // Looked up under the lock, so registrations from other Python threads
  // cannot overlap it. The id is matched by its bit pattern.
  auto entry = callbacks_.find(static_cast<uint32_t>(callback_id));
  if (entry == callbacks_.end())
    return;
  // Our own reference keeps the callable alive if it unregisters its id.
  PyObject* callable = entry->second;
  Py_INCREF(callable);
  if (PyCallable_Check(callable))
    CallWithList(callable, args.list);
  Py_DECREF(callable);
}
