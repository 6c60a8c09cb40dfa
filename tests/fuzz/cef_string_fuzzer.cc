// The module's conversion between Python strings and CefString, both ways,
// from any input: what it accepts it carries unchanged, what it refuses it
// refuses without leaving a Python error behind.
#include <pybind11/pybind11.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "embedded_python.h"
#include "include/base/cef_string16.h"
#include "module/cef_string_caster.h"

namespace py = pybind11;

namespace {

using Caster = py::detail::type_caster<CefString>;

void Check(bool condition) {
  if (!condition || PyErr_Occurred())
    abort();
}

bool HasLoneSurrogate(const base::string16& units) {
  for (size_t i = 0; i < units.size(); ++i) {
    bool high = units[i] >= 0xD800 && units[i] <= 0xDBFF;
    bool low = units[i] >= 0xDC00 && units[i] <= 0xDFFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      ++i;
    } else if (high || low) {
      return true;
    }
  }
  return false;
}

// Byte strings: accepted exactly when they are UTF-8, as Python decodes it.
void LoadBytes(const std::string& bytes) {
  py::bytes source(bytes);
  PyObject* decoded =
      PyUnicode_DecodeUTF8(bytes.data(), bytes.size(), "strict");
  PyErr_Clear();
  Caster caster;
  bool loaded = caster.load(source, true);
  Check(loaded == (decoded != nullptr));
  if (decoded) {
    py::object back = py::reinterpret_steal<py::object>(
        Caster::cast(static_cast<CefString&>(caster), py::return_value_policy::copy, {}));
    Check(PyUnicode_Compare(back.ptr(), decoded) == 0);
    Py_DECREF(decoded);
  }
}

// Python can hold such units as text too; the conversion refuses that text.
void RefuseLoneSurrogates(const base::string16& units) {
  int byte_order = -1;  // Little-endian, as the units are on this machine.
  py::object text = py::reinterpret_steal<py::object>(PyUnicode_DecodeUTF16(
      reinterpret_cast<const char*>(units.data()),
      static_cast<Py_ssize_t>(units.size() * 2), "surrogatepass", &byte_order));
  Check(static_cast<bool>(text));
  Caster caster;
  Check(!caster.load(text, true));
}

// UTF-16 code units: turned into text unless a surrogate is unpaired, and
// that text loads back as the same units.
void CastUnits(const base::string16& units) {
  CefString text(units);
  PyObject* cast = nullptr;
  try {
    cast = Caster::cast(text, py::return_value_policy::copy, {}).ptr();
  } catch (py::error_already_set&) {
    Check(HasLoneSurrogate(units));
    RefuseLoneSurrogates(units);
    return;
  }
  Check(cast && !HasLoneSurrogate(units));
  py::object object = py::reinterpret_steal<py::object>(cast);
  Caster caster;
  Check(caster.load(object, false));
  Check(static_cast<CefString&>(caster).ToString16() == units);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartEmbeddedPython();
  if (size == 0)
    return 0;
  const char* rest = reinterpret_cast<const char*>(data + 1);
  size_t rest_size = size - 1;
  if (data[0] & 1) {
    LoadBytes(std::string(rest, rest_size));
  } else {
    base::string16 units(rest_size / 2, 0);
    for (size_t i = 0; i < units.size(); ++i)
      units[i] =
          static_cast<base::char16>(static_cast<uint8_t>(rest[2 * i]) |
                                    static_cast<uint8_t>(rest[2 * i + 1]) << 8);
    CastUnits(units);
  }
  return 0;
}
