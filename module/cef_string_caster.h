// The module's conversion between Python strings and CefString. Every file
// that binds a CefString includes this, so that all of them convert alike.
#ifndef ZUBRIX_MODULE_CEF_STRING_CASTER_H_
#define ZUBRIX_MODULE_CEF_STRING_CASTER_H_

#include <pybind11/pybind11.h>

#include <cstdint>

#include "include/internal/cef_string.h"

// pybind11 before 2.9 names its compile-time type-name helper "_".
#if PYBIND11_VERSION_MAJOR == 2 && PYBIND11_VERSION_MINOR < 9
#define ZUBRIX_TYPE_NAME(text) _(text)
#else
#define ZUBRIX_TYPE_NAME(text) const_name(text)
#endif

namespace pybind11 {
namespace detail {

template <>
struct type_caster<CefString> {
  PYBIND11_TYPE_CASTER(CefString, ZUBRIX_TYPE_NAME(PYBIND11_STRING_NAME));

  // Takes unicode, and byte strings decoded with the interpreter's default
  // encoding. The |convert| pass changes nothing: what one pass refuses, so
  // does the other.
  bool load(handle src, bool /* convert */) {
    object text;
    if (PyUnicode_Check(src.ptr())) {
      text = reinterpret_borrow<object>(src);
    } else if (PyBytes_Check(src.ptr())) {
      text = reinterpret_steal<object>(
          PyUnicode_FromEncodedObject(src.ptr(), nullptr, "strict"));
    }
    if (!text) {
      PyErr_Clear();
      return false;
    }
    object encoded = reinterpret_steal<object>(
        PyUnicode_AsEncodedString(text.ptr(), "utf-16", "strict"));
    if (!encoded) {
      PyErr_Clear();
      return false;
    }
    // The codec writes native-order code units after a two-byte mark.
    const char* bytes = PyBytes_AS_STRING(encoded.ptr());
    Py_ssize_t units = PyBytes_GET_SIZE(encoded.ptr()) / 2 - 1;
    value.clear();
    if (units > 0)
      value.FromString(reinterpret_cast<const char16*>(bytes + 2),
                       static_cast<size_t>(units), true);
    return true;
  }

  static handle cast(const CefString& src, return_value_policy /* policy */,
                     handle /* parent */) {
    // An explicit byte order, unlike 0, keeps a leading U+FEFF or U+FFFE as
    // text instead of reading it as a byte-order mark.
    const uint16_t probe = 1;
    int byte_order = *reinterpret_cast<const char*>(&probe) == 1 ? -1 : 1;
    const char* data =
        src.empty() ? "" : reinterpret_cast<const char*>(src.c_str());
    PyObject* text = PyUnicode_DecodeUTF16(
        data, static_cast<Py_ssize_t>(src.length() * 2), "strict",
        &byte_order);
    if (!text)
      throw error_already_set();
    return text;
  }
};

}  // namespace detail
}  // namespace pybind11

#endif  // ZUBRIX_MODULE_CEF_STRING_CASTER_H_
