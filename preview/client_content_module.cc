// _zubrix_preview_content: the module's "client" route and readers for the
// panel preview, which serves the scheme from Python.
#include <pybind11/pybind11.h>

#include <string>

#include "preview/client_content.h"

namespace py = pybind11;

namespace {

const char* OutcomeName(zubrix::ClientContent::Outcome outcome) {
  switch (outcome) {
    case zubrix::ClientContent::Outcome::kServed:
      return "served";
    case zubrix::ClientContent::Outcome::kFailed:
      return "failed";
    case zubrix::ClientContent::Outcome::kRefused:
      break;
  }
  return "refused";
}

py::tuple Read(const std::string& url) {
  zubrix::ClientContent content;
  {
    // Reading an archive or a large file takes a while; other Python
    // threads go on meanwhile.
    py::gil_scoped_release released;
    content = zubrix::ReadClientContent(CefString(url));
  }
  return py::make_tuple(OutcomeName(content.outcome),
                        py::bytes(content.mime_type), py::bytes(content.body));
}

}  // namespace

PYBIND11_MODULE(_zubrix_preview_content, m) {
  m.def("read", &Read, py::arg("url"),
        "What the client: URL (canonical, UTF-8) answers in the host: "
        "(outcome, mime_type, body), outcome 'served', 'refused' (no route) "
        "or 'failed' (a file that ended early).");
}
