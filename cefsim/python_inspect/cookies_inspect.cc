#include "cefsim/python_inspect/cookies_inspect.h"

#include "cefsim/inspection_api/cefsim_inspect.h"

namespace py = pybind11;

namespace {

py::list Cookies() {
  auto text = [](const cef_string_t& field) {
    return py::str(CefString(&field).ToString());
  };
  py::list result;
  for (const CefCookie& cookie : cefsim_inspect::Cookies()) {
    py::dict d;
    d["name"] = text(cookie.name);
    d["value"] = text(cookie.value);
    d["domain"] = text(cookie.domain);
    d["path"] = text(cookie.path);
    d["secure"] = cookie.secure;
    d["httponly"] = cookie.httponly;
    d["has_expires"] = cookie.has_expires;
    result.append(d);
  }
  return result;
}

}  // namespace

void RegisterCookieInspection(py::module_& module) {
  module.def("cookies", &Cookies);
}
