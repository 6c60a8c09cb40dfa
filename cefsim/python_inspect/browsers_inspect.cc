#include "cefsim/python_inspect/browsers_inspect.h"

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/python_inspect/event_pump.h"

namespace py = pybind11;

namespace {

py::str Text(const cef_string_t& field) {
  return py::str(CefString(&field).ToString());
}

int64_t Handle(CefWindowHandle window) {
  return static_cast<int64_t>(reinterpret_cast<intptr_t>(window));
}

py::dict WindowInfo(const CefWindowInfo& info) {
  py::dict d;
  d["ex_style"] = info.ex_style;
  d["window_name"] = Text(info.window_name);
  d["style"] = info.style;
  d["x"] = info.x;
  d["y"] = info.y;
  d["width"] = info.width;
  d["height"] = info.height;
  d["parent_window"] = Handle(info.parent_window);
  d["menu"] = Handle(static_cast<CefWindowHandle>(info.menu));
  d["windowless_rendering_enabled"] = info.windowless_rendering_enabled;
  return d;
}

py::dict BrowserSettings(const CefBrowserSettings& s) {
  py::dict d;
  d["remote_fonts"] = static_cast<int>(s.remote_fonts);
  d["javascript"] = static_cast<int>(s.javascript);
  d["javascript_close_windows"] = static_cast<int>(s.javascript_close_windows);
  d["javascript_access_clipboard"] =
      static_cast<int>(s.javascript_access_clipboard);
  d["javascript_dom_paste"] = static_cast<int>(s.javascript_dom_paste);
  d["plugins"] = static_cast<int>(s.plugins);
  d["universal_access_from_file_urls"] =
      static_cast<int>(s.universal_access_from_file_urls);
  d["file_access_from_file_urls"] =
      static_cast<int>(s.file_access_from_file_urls);
  d["web_security"] = static_cast<int>(s.web_security);
  d["image_loading"] = static_cast<int>(s.image_loading);
  d["image_shrink_standalone_to_fit"] =
      static_cast<int>(s.image_shrink_standalone_to_fit);
  d["text_area_resize"] = static_cast<int>(s.text_area_resize);
  d["tab_to_links"] = static_cast<int>(s.tab_to_links);
  d["local_storage"] = static_cast<int>(s.local_storage);
  d["databases"] = static_cast<int>(s.databases);
  d["application_cache"] = static_cast<int>(s.application_cache);
  d["webgl"] = static_cast<int>(s.webgl);
  return d;
}

py::list Browsers() {
  py::list result;
  for (const auto& record : cefsim_inspect::Browsers()) {
    py::dict d;
    d["id"] = record.id;
    d["window_info"] = WindowInfo(record.window_info);
    d["settings"] = BrowserSettings(record.settings);
    d["window"] = Handle(record.window);
    d["parent"] = Handle(record.window_info.parent_window);
    d["is_devtools"] = record.is_devtools;
    d["inspected_browser_id"] = record.inspected_browser_id;
    d["inspect_element_at"] =
        py::make_tuple(record.inspect_element_at.x, record.inspect_element_at.y);
    d["render_process_pid"] = record.render_process_pid;
    d["closed"] = record.closed;
    d["loading"] = record.loading;
    d["can_go_back"] = record.can_go_back;
    d["can_go_forward"] = record.can_go_forward;
    py::list frames;
    for (const auto& frame : record.frames) {
      py::dict f;
      f["id"] = frame.id;
      f["parent_id"] = frame.parent_id;
      f["is_main"] = frame.is_main;
      f["name"] = frame.name;
      f["url"] = frame.url;
      frames.append(f);
    }
    d["frames"] = frames;
    result.append(d);
  }
  return result;
}

py::list Console() {
  py::list result;
  for (const auto& record : cefsim_inspect::ConsoleMessages()) {
    py::dict d;
    d["browser_id"] = record.browser_id;
    d["frame_url"] = record.frame_url;
    d["message"] = record.message;
    d["source"] = record.source;
    d["line"] = record.line;
    result.append(d);
  }
  return result;
}

py::object Placeholder(int browser_id) {
  std::optional<cefsim_inspect::PlaceholderRecord> record =
      cefsim_inspect::Placeholder(browser_id);
  if (!record)
    return py::none();
  py::list lines;
  for (const std::string& line : record->lines)
    lines.append(py::str(line));
  py::dict d;
  d["lines"] = lines;
  d["paints"] = record->paints;
  return std::move(d);
}

bool WaitLoaded(int browser_id, double timeout, py::object pump) {
  // The navigations that count are those asked for before this call, not
  // those that the pumping between slices may add.
  const int navigations = cefsim_inspect::RequestedNavigations(browser_id);
  return PumpUntil(
      [browser_id, navigations](int slice_ms) {
        return cefsim_inspect::WaitLoaded(browser_id, slice_ms, navigations);
      },
      timeout, pump);
}

}  // namespace

void RegisterBrowserInspection(py::module_& m) {
  m.def("browsers", &Browsers);
  m.def("console", &Console);
  m.def("placeholder", &Placeholder);
  m.def("placeholder_built", &cefsim_inspect::PlaceholderBuilt);
  m.def("wait_loaded", &WaitLoaded, py::arg("browser_id"),
        py::arg("timeout") = 10.0, py::arg("pump") = py::none());
}
