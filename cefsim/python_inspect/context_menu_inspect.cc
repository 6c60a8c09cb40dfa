#include "cefsim/python_inspect/context_menu_inspect.h"

#include <string>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/python_inspect/event_pump.h"

namespace py = pybind11;

namespace {

// The entries as (command id, label) pairs, separators as (-1, ""); None
// for an unknown or closed browser.
py::object ContextMenu(int browser_id, int type_flags, int x, int y,
                       int edit_flags, const std::string& selection_text,
                       const std::string& link_url,
                       const std::string& source_url, double timeout,
                       py::object pump) {
  cefsim_inspect::ContextMenuRequest request;
  request.type_flags = type_flags;
  request.x = x;
  request.y = y;
  request.edit_flags = edit_flags;
  request.selection_text = selection_text;
  request.link_url = link_url;
  request.source_url = source_url;
  using Entries = std::optional<std::vector<cefsim_inspect::MenuEntry>>;
  Entries entries =
      Await<Entries>(cefsim_inspect::OpenContextMenu(browser_id, request),
                     timeout, pump, std::nullopt);
  if (!entries)
    return py::none();
  py::list result;
  for (const auto& entry : *entries)
    result.append(py::make_tuple(entry.command_id, entry.label));
  return std::move(result);
}

bool ContextMenuChoose(int browser_id, int command_id, double timeout,
                       py::object pump) {
  return Await<bool>(
      cefsim_inspect::ChooseContextMenuEntry(browser_id, command_id), timeout,
      pump, false);
}

}  // namespace

void RegisterContextMenuInspection(py::module_& m) {
  m.def("context_menu", &ContextMenu, py::arg("browser_id"),
        py::arg("type_flags"), py::arg("x") = 0, py::arg("y") = 0,
        py::arg("edit_flags") = 0, py::arg("selection_text") = "",
        py::arg("link_url") = "", py::arg("source_url") = "",
        py::arg("timeout") = 10.0, py::arg("pump") = py::none());
  m.def("context_menu_choose", &ContextMenuChoose, py::arg("browser_id"),
        py::arg("command_id"), py::arg("timeout") = 10.0,
        py::arg("pump") = py::none());
}
