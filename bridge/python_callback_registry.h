// The Python callables that pages may call, by the id each got when it was
// registered.
#ifndef ZUBRIX_BRIDGE_PYTHON_CALLBACK_REGISTRY_H_
#define ZUBRIX_BRIDGE_PYTHON_CALLBACK_REGISTRY_H_

#include <Python.h>

#include <cstdint>
#include <map>

namespace zubrix {

// Owned by the interpreter lock: every member needs it held. Each entry
// holds a strong reference to its callable.
class PythonCallbackRegistry {
 public:
  PythonCallbackRegistry() = default;
  PythonCallbackRegistry(const PythonCallbackRegistry&) = delete;
  PythonCallbackRegistry& operator=(const PythonCallbackRegistry&) = delete;

  // Ids count up from 0 and are not reused while the counter lasts; once it
  // wraps, ids still registered are passed over.
  uint32_t Add(PyObject* callable);
  // Removes the entry before releasing its reference, since releasing may
  // run Python code that uses the registry. An unknown id is ignored.
  void Remove(uint32_t callback_id);
  // A new reference to the id's callable, or null: the caller's own
  // reference keeps the callable alive if it removes its id while running.
  PyObject* Find(uint32_t callback_id) const;

 private:
  std::map<uint32_t, PyObject*> callables_;
  uint32_t next_id_ = 0;
};

}  // namespace zubrix

#endif  // ZUBRIX_BRIDGE_PYTHON_CALLBACK_REGISTRY_H_
