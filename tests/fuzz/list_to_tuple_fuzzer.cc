// ListToTuple over nested lists built from the input: every entry lands in
// its position with the type and value it should have, nothing else is left
// behind (no empty position, no pending error, no leak).
#include <Python.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bridge/list_to_tuple.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "embedded_python.h"
#include "fuzz_input.h"
#include "include/cef_values.h"

namespace {

void Check(bool condition) {
  if (!condition || PyErr_Occurred())
    abort();
}

// Reads the input as a little program that builds the list, one byte per
// step: each step appends an entry to the innermost open list, or opens or
// closes one.
class ListBuilder {
 public:
  ListBuilder(const uint8_t* data, size_t size) : input_(data, size) {
    open_.push_back(CefListValue::Create());
  }

  CefRefPtr<CefListValue> Build() {
    while (!input_.empty())
      Step(input_.Next());
    while (open_.size() > 1)
      Close();
    return open_.front();
  }

 private:
  void Step(uint8_t op) {
    CefRefPtr<CefListValue> list = open_.back();
    size_t at = list->GetSize();
    switch (op % 10) {
      case 0:
        list->SetString(at, CefString(input_.NextText16()));
        break;
      case 1:
        list->SetInt(at, static_cast<int>(input_.Next32()));
        break;
      case 2:
        list->SetBool(at, input_.Next() & 1);
        break;
      case 3:
        if (open_.size() <= max_depth_)
          open_.push_back(CefListValue::Create());
        break;
      case 4:
        Close();
        break;
      case 5:
        list->SetDouble(at, input_.NextDouble());
        break;
      case 6:
        list->SetNull(at);
        break;
      case 7:
        list->SetBinary(at, CefBinaryValue::Create(&op, 1));
        break;
      case 8: {
        CefRefPtr<CefDictionaryValue> dictionary = CefDictionaryValue::Create();
        dictionary->SetString("key", CefString(input_.NextText16()));
        list->SetDictionary(at, dictionary);
        break;
      }
      default:
        // A gap: setting past the end fills it with null entries.
        list->SetInt(at + input_.Next() % 4, 1);
        break;
    }
  }

  void Close() {
    if (open_.size() < 2)
      return;
    CefRefPtr<CefListValue> child = open_.back();
    open_.pop_back();
    open_.back()->SetList(open_.back()->GetSize(), child);
  }

  FuzzInput input_;
  std::vector<CefRefPtr<CefListValue>> open_;
  // Lists arrive in process messages, which nest no deeper.
  const size_t max_depth_ = cefsim_inspect::MaxMessageListDepth();
};

void CheckItem(CefRefPtr<CefValue> value, PyObject* item);

void CheckTuple(CefRefPtr<CefListValue> list, PyObject* tuple) {
  Check(PyTuple_Check(tuple) &&
        PyTuple_GET_SIZE(tuple) == static_cast<Py_ssize_t>(list->GetSize()));
  for (size_t i = 0; i < list->GetSize(); ++i)
    CheckItem(list->GetValue(i), PyTuple_GET_ITEM(tuple, i));
}

void CheckItem(CefRefPtr<CefValue> value, PyObject* item) {
  Check(item != nullptr);
  switch (value->GetType()) {
    case VTYPE_STRING: {
      std::string utf8 = value->GetString().ToString();
      Check(PyBytes_Check(item) &&
            strcmp(PyBytes_AS_STRING(item), utf8.c_str()) == 0 &&
            strlen(PyBytes_AS_STRING(item)) ==
                static_cast<size_t>(PyBytes_GET_SIZE(item)));
      break;
    }
    case VTYPE_INT:
      Check(PyLong_CheckExact(item) && PyLong_AsLong(item) == value->GetInt());
      break;
    case VTYPE_BOOL:
      Check(item == (value->GetBool() ? Py_True : Py_False));
      break;
    case VTYPE_LIST:
      CheckTuple(value->GetList(), item);
      break;
    default:
      Check(item == Py_None);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartEmbeddedPython();
  CefRefPtr<CefListValue> list = ListBuilder(data, size).Build();
  PyObject* tuple = PyTuple_New(static_cast<Py_ssize_t>(list->GetSize()));
  Check(tuple != nullptr);
  zubrix::ListToTuple(list, tuple);
  CheckTuple(list, tuple);
  Py_DECREF(tuple);
  return 0;
}
