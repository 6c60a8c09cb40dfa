// _cefsim: the stand-in's inspection module for tests and the demo.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/python_inspect/browsers_inspect.h"
#include "cefsim/python_inspect/context_menu_inspect.h"
#include "cefsim/python_inspect/cookies_inspect.h"
#include "cefsim/python_inspect/test_client_inspect.h"

namespace py = pybind11;

namespace {

py::str Text(const cef_string_t& field) {
  return py::str(CefString(&field).ToString());
}

py::object Settings() {
  CefSettings s;
  if (!cefsim_inspect::LastSettings(&s))
    return py::none();
  py::dict d;
  d["size"] = s.size;
  d["single_process"] = s.single_process;
  d["no_sandbox"] = s.no_sandbox;
  d["browser_subprocess_path"] = Text(s.browser_subprocess_path);
  d["framework_dir_path"] = Text(s.framework_dir_path);
  d["multi_threaded_message_loop"] = s.multi_threaded_message_loop;
  d["external_message_pump"] = s.external_message_pump;
  d["windowless_rendering_enabled"] = s.windowless_rendering_enabled;
  d["command_line_args_disabled"] = s.command_line_args_disabled;
  d["cache_path"] = Text(s.cache_path);
  d["user_data_path"] = Text(s.user_data_path);
  d["persist_session_cookies"] = s.persist_session_cookies;
  d["persist_user_preferences"] = s.persist_user_preferences;
  d["user_agent"] = Text(s.user_agent);
  d["product_version"] = Text(s.product_version);
  d["locale"] = Text(s.locale);
  d["log_file"] = Text(s.log_file);
  d["log_severity"] = static_cast<int>(s.log_severity);
  d["javascript_flags"] = Text(s.javascript_flags);
  d["resources_dir_path"] = Text(s.resources_dir_path);
  d["locales_dir_path"] = Text(s.locales_dir_path);
  d["pack_loading_disabled"] = s.pack_loading_disabled;
  d["remote_debugging_port"] = s.remote_debugging_port;
  d["uncaught_exception_stack_size"] = s.uncaught_exception_stack_size;
  d["ignore_certificate_errors"] = s.ignore_certificate_errors;
  d["enable_net_security_expiration"] = s.enable_net_security_expiration;
  d["background_color"] = s.background_color;
  d["accept_language_list"] = Text(s.accept_language_list);
  return std::move(d);
}

py::list Processes() {
  py::list result;
  for (const auto& record : cefsim_inspect::Processes()) {
    py::dict d;
    d["pid"] = record.pid;
    d["type"] = record.type;
    py::list argv;
    for (const std::string& arg : record.argv)
      argv.append(py::bytes(arg));
    d["argv"] = argv;
    d["alive"] = record.alive;
    result.append(d);
  }
  return result;
}

int StartRenderProcess(double timeout) {
  py::gil_scoped_release release;
  return cefsim_inspect::StartSpareRenderProcess(
      static_cast<int>(timeout * 1000));
}

}  // namespace

PYBIND11_MODULE(_cefsim, m) {
  m.def("settings", &Settings);
  m.def("initialize_count", &cefsim_inspect::InitializeCount);
  m.def("processes", &Processes);
  m.def("start_render_process", &StartRenderProcess, py::arg("timeout") = 10.0);
  m.def("kill_render_process", &cefsim_inspect::KillRenderProcess);
  RegisterBrowserInspection(m);
  RegisterCookieInspection(m);
  RegisterContextMenuInspection(m);
  RegisterTestClientInspection(m);
}
