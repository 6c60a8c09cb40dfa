#include "bridge/python_callback_registry.h"

#include "bridge/gil_guard.h"
#include "include/base/cef_logging.h"

namespace zubrix {

uint32_t PythonCallbackRegistry::Add(PyObject* callable) {
  DCHECK(HoldsInterpreterLockIfKnown());
  // So that an id never names two callables.
  while (callables_.count(next_id_) != 0)
    ++next_id_;
  uint32_t callback_id = next_id_++;
  Py_INCREF(callable);
  callables_.emplace(callback_id, callable);
  return callback_id;
}

void PythonCallbackRegistry::Remove(uint32_t callback_id) {
  DCHECK(HoldsInterpreterLockIfKnown());
  auto entry = callables_.find(callback_id);
  if (entry == callables_.end())
    return;
  PyObject* callable = entry->second;
  callables_.erase(entry);
  Py_DECREF(callable);
}

PyObject* PythonCallbackRegistry::Find(uint32_t callback_id) const {
  DCHECK(HoldsInterpreterLockIfKnown());
  auto entry = callables_.find(callback_id);
  if (entry == callables_.end())
    return nullptr;
  Py_INCREF(entry->second);
  return entry->second;
}

}  // namespace zubrix
