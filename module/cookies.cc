#include "module/cookies.h"

#include "module/cef_string_caster.h"

namespace py = pybind11;

namespace zubrix {
namespace {

PyCefCookieManager GetGlobalManager() {
  return PyCefCookieManager{CefCookieManager::GetGlobalManager(nullptr)};
}

// CEF's verdict is not reported to Python. A manager that wraps nothing
// sets nothing.
void SetCookie(PyCefCookieManager& self, const CefString& url,
               const CefCookie& cookie) {
  if (self.manager)
    self.manager->SetCookie(url, cookie, nullptr);
}

// One getter and setter pair for each string field of the cookie. Both
// hand back a copy, never a string that still points into the cookie.
template <cef_string_t cef_cookie_t::*field>
CefString GetText(const CefCookie& cookie) {
  const cef_string_t& text = cookie.*field;
  return CefString(text.str, text.length, true);
}

template <cef_string_t cef_cookie_t::*field>
CefString SetText(CefCookie& cookie, const CefString& text) {
  CefString(&(cookie.*field)) = text;
  return GetText<field>(cookie);
}

template <cef_string_t cef_cookie_t::*field>
void DefineText(py::class_<CefCookie>& cookie_type, const char* name) {
  cookie_type.def_property(name, &GetText<field>, &SetText<field>);
}

}  // namespace

void RegisterCookieTypes(py::module_& module) {
  py::class_<PyCefCookieManager>(module, "CefCookieManager")
      .def_static("GetGlobalManager", &GetGlobalManager)
      .def("SetCookie", &SetCookie);

  py::class_<CefCookie> cookie_type(module, "CefCookie");
  cookie_type.def(py::init<>());
  DefineText<&cef_cookie_t::name>(cookie_type, "name");
  DefineText<&cef_cookie_t::domain>(cookie_type, "domain");
  DefineText<&cef_cookie_t::path>(cookie_type, "path");
  DefineText<&cef_cookie_t::value>(cookie_type, "value");
  cookie_type.def_readwrite("has_expires", &CefCookie::has_expires);
  cookie_type.def_readwrite("httponly", &CefCookie::httponly);
}

}  // namespace zubrix
