#include "module/browser_bindings.h"

#include "browser/zubrix_cef_browser.h"
#include "module/cef_string_caster.h"

namespace py = pybind11;

namespace zubrix {
namespace {

// The URL is taken as text: unicode, or a byte string in the interpreter's
// default encoding, as the module's string conversion reads it.
ZubrixCefBrowser* CreateBrowserSync(int parent_window, const CefString& url) {
  return ZubrixCefBrowser::CreateBrowserSync(parent_window, url.ToWString());
}

}  // namespace

void RegisterBrowserType(py::module_& module) {
  py::class_<ZubrixCefBrowser>(module, "CefBrowser")
      .def("Resize", &ZubrixCefBrowser::Resize)
      .def("Close", &ZubrixCefBrowser::Close)
      .def("Reload", &ZubrixCefBrowser::Reload)
      .def("ExecuteJavascript", &ZubrixCefBrowser::ExecuteJavascript)
      .def("ShowDevTools", &ZubrixCefBrowser::ShowDevTools)
      .def("RegisterStartupCode", &ZubrixCefBrowser::RegisterStartupCode)
      .def("UnregisterStartupCode", &ZubrixCefBrowser::UnregisterStartupCode);
}

void RegisterBrowserFunctions(py::module_& module) {
  module.def("CreateBrowserSync", &CreateBrowserSync,
             py::return_value_policy::take_ownership);
}

}  // namespace zubrix
