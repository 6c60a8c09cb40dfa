#include "cefsim/python_inspect/test_client_inspect.h"

#include <set>
#include <string>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/python_inspect/event_pump.h"

namespace py = pybind11;

namespace {

// Messages carry None, bool, int, float, str and lists of them.
void SetItem(CefRefPtr<CefListValue> list, size_t index, py::handle item) {
  if (item.is_none()) {
    list->SetNull(index);
  } else if (py::isinstance<py::bool_>(item)) {
    list->SetBool(index, item.cast<bool>());
  } else if (py::isinstance<py::int_>(item)) {
    list->SetInt(index, item.cast<int>());
  } else if (py::isinstance<py::float_>(item)) {
    list->SetDouble(index, item.cast<double>());
  } else if (py::isinstance<py::str>(item)) {
    list->SetString(index, item.cast<std::string>());
  } else if (py::isinstance<py::list>(item)) {
    CefRefPtr<CefListValue> nested = CefListValue::Create();
    size_t i = 0;
    for (py::handle element : item.cast<py::list>())
      SetItem(nested, i++, element);
    list->SetList(index, nested);
  } else {
    throw py::type_error("a message argument must be None, bool, int, "
                         "float, str or a list of them");
  }
}

py::list ToPython(CefRefPtr<CefListValue> list) {
  py::list result;
  for (size_t i = 0; list && i < list->GetSize(); ++i) {
    switch (list->GetType(i)) {
      case VTYPE_BOOL:
        result.append(py::bool_(list->GetBool(i)));
        break;
      case VTYPE_INT:
        result.append(py::int_(list->GetInt(i)));
        break;
      case VTYPE_DOUBLE:
        result.append(py::float_(list->GetDouble(i)));
        break;
      case VTYPE_STRING:
        result.append(py::str(list->GetString(i).ToString()));
        break;
      case VTYPE_LIST:
        result.append(ToPython(list->GetList(i)));
        break;
      default:
        result.append(py::none());
        break;
    }
  }
  return result;
}

py::object CreateBrowser(int64_t parent, const std::string& url, int x, int y,
                         int width, int height, unsigned int style,
                         const std::string& window_name, double timeout,
                         py::object pump) {
  CefWindowInfo info;
  info.parent_window =
      reinterpret_cast<CefWindowHandle>(static_cast<intptr_t>(parent));
  info.style = style;
  info.x = x;
  info.y = y;
  info.width = width;
  info.height = height;
  CefString(&info.window_name).FromString(window_name);
  int id = Await<int>(cefsim_inspect::CreateRecordedBrowser(info, url),
                      timeout, pump, 0);
  return id ? py::object(py::int_(id)) : py::none();
}

// The kinds _cefsim has always shown; console output is _cefsim.console()'s.
bool Shown(const cefsim_inspect::ClientEvent& event) {
  static const std::set<std::string> kinds = {
      "load_start", "load_end", "load_error", "message", "terminated",
      "menu_command", "menu_dismissed", "before_close"};
  return kinds.count(event.kind) != 0;
}

py::list ClientEvents(int browser_id) {
  py::list result;
  for (const auto& event : cefsim_inspect::ClientEvents(browser_id)) {
    if (!Shown(event))
      continue;
    py::dict d;
    d["kind"] = event.kind;
    if (event.kind == "message") {
      d["name"] = event.name;
      d["arguments"] = ToPython(event.arguments);
    } else {
      d["code"] = event.code;
    }
    if (event.kind.compare(0, 5, "load_") == 0) {
      d["main_frame"] = event.main_frame;
      d["url"] = event.url;
    }
    result.append(d);
  }
  return result;
}

// The browser, or an error that says it is gone.
CefRefPtr<CefBrowser> Browser(int browser_id) {
  CefRefPtr<CefBrowser> browser = cefsim_inspect::BrowserById(browser_id);
  if (!browser)
    throw py::value_error("no open browser " + std::to_string(browser_id));
  return browser;
}

// The frame called |name|, the main frame for an empty name.
CefRefPtr<CefFrame> Frame(int browser_id, const std::string& name) {
  CefRefPtr<CefFrame> frame = Browser(browser_id)->GetFrame(name);
  if (!frame)
    throw py::value_error("no frame named " + name);
  return frame;
}

bool SendProcessMessage(int browser_id, const std::string& name,
                        py::list arguments) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(name);
  size_t i = 0;
  for (py::handle item : arguments)
    SetItem(message->GetArgumentList(), i++, item);
  return Browser(browser_id)->SendProcessMessage(PID_RENDERER, message);
}

}  // namespace

void RegisterTestClientInspection(py::module_& m) {
  m.def("create_browser", &CreateBrowser, py::arg("parent"), py::arg("url"),
        py::arg("x") = 0, py::arg("y") = 0, py::arg("width") = 320,
        py::arg("height") = 240, py::arg("style") = WS_CHILD | WS_VISIBLE,
        py::arg("window_name") = "", py::arg("timeout") = 10.0,
        py::arg("pump") = py::none());
  m.def("client_events", &ClientEvents);
  m.def("send_process_message", &SendProcessMessage, py::arg("browser_id"),
        py::arg("name"), py::arg("arguments") = py::list());
  m.def(
      "execute_javascript",
      [](int browser_id, const std::string& code, const std::string& frame) {
        Frame(browser_id, frame)->ExecuteJavaScript(code, "", 1);
      },
      py::arg("browser_id"), py::arg("code"), py::arg("frame") = "");
  m.def(
      "load_url",
      [](int browser_id, const std::string& url, const std::string& frame) {
        Frame(browser_id, frame)->LoadURL(url);
      },
      py::arg("browser_id"), py::arg("url"), py::arg("frame") = "");
  m.def("close_browser", &cefsim_inspect::DestroyBrowserWindow);
}
