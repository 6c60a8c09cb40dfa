#include "bridge/list_to_tuple.h"

#include <string>

#include "bridge/gil_guard.h"
#include "include/base/cef_logging.h"

namespace zubrix {
namespace {

PyObject* BytesFromText(const CefString& text) {
  std::string utf8 = text.ToString();
  // Read as a C string on purpose: the item ends at the first U+0000.
#if PY_MAJOR_VERSION >= 3
  return PyBytes_FromString(utf8.c_str());
#else
  return PyString_FromString(utf8.c_str());
#endif
}

PyObject* IntFromValue(int value) {
#if PY_MAJOR_VERSION >= 3
  return PyLong_FromLong(value);
#else
  return PyInt_FromLong(value);
#endif
}

PyObject* TupleFromList(const CefRefPtr<CefListValue>& list) {
  PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(list->GetSize()));
  if (tuple)
    ListToTuple(list, tuple);
  return tuple;
}

// A new reference, or null for a type that does not travel to Python or an
// item that could not be made. Read through the list's typed getters: a
// CefValue per entry would be one more object, and in CEF a copy, per entry.
PyObject* ItemAt(const CefRefPtr<CefListValue>& list, size_t index) {
  switch (list->GetType(index)) {
    case VTYPE_STRING:
      return BytesFromText(list->GetString(index));
    case VTYPE_INT:
      return IntFromValue(list->GetInt(index));
    case VTYPE_BOOL:
      return PyBool_FromLong(list->GetBool(index));
    case VTYPE_LIST: {
      CefRefPtr<CefListValue> nested = list->GetList(index);
      return nested ? TupleFromList(nested) : nullptr;
    }
    default:
      return nullptr;
  }
}

}  // namespace

void ListToTuple(CefRefPtr<CefListValue> source, PyObject* target) {
  DCHECK(HoldsInterpreterLockIfKnown());
  size_t size = source->GetSize();
  for (size_t i = 0; i < size; ++i) {
    PyObject* item = ItemAt(source, i);
    if (!item) {
      // An empty position must never reach Python code, and a failed item
      // must not leave its error pending for the call that follows.
      PyErr_Clear();
      Py_INCREF(Py_None);
      item = Py_None;
    }
    PyTuple_SetItem(target, static_cast<Py_ssize_t>(i), item);
  }
}

}  // namespace zubrix
