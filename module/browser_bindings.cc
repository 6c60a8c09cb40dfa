#include "module/browser_bindings.h"

#include "browser/zubrix_cef_browser.h"
#include "module/cef_string_caster.h"
#include "module/host_main_thread.h"
#include "module/runtime_state.h"

namespace py = pybind11;

namespace zubrix {
namespace {

// The URL is taken as text: unicode, or a byte string in the interpreter's
// default encoding, as the module's string conversion reads it.
ZubrixCefBrowser* CreateBrowserSync(int parent_window, const CefString& url) {
  REQUIRE_HOST_MAIN_THREAD();
  RequireRunningCef("CreateBrowserSync");
  return ZubrixCefBrowser::CreateBrowserSync(parent_window, url.ToWString());
}

// Binds a method with its object taken by reference: pybind11 hands a
// pointer receiver None as a null object, which a reference refuses with
// TypeError. Every method calls CEF and Win32 as the host's main thread.
template <typename... Args>
auto Method(void (ZubrixCefBrowser::*method)(Args...)) {
  return [method](ZubrixCefBrowser& self, Args... args) {
    REQUIRE_HOST_MAIN_THREAD();
    (self.*method)(args...);
  };
}

}  // namespace

void RegisterBrowserType(py::module_& module) {
  py::class_<ZubrixCefBrowser>(module, "CefBrowser")
      .def("Resize", Method(&ZubrixCefBrowser::Resize))
      .def("Close", Method(&ZubrixCefBrowser::Close))
      .def("Reload", Method(&ZubrixCefBrowser::Reload))
      .def("ExecuteJavascript", Method(&ZubrixCefBrowser::ExecuteJavascript))
      .def("ShowDevTools", Method(&ZubrixCefBrowser::ShowDevTools))
      .def("RegisterStartupCode", Method(&ZubrixCefBrowser::RegisterStartupCode))
      .def("UnregisterStartupCode", Method(&ZubrixCefBrowser::UnregisterStartupCode));
}

void RegisterBrowserFunctions(py::module_& module) {
  module.def("CreateBrowserSync", &CreateBrowserSync,
             py::return_value_policy::take_ownership);
}

}  // namespace zubrix
