// Any URL bytes through the client scheme's routing and not-found page: the
// route is one the path really holds, and the page carries the name as text
// only, never as markup.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "include/cef_parser.h"
#include "scheme/client_route.h"
#include "scheme/not_found_page.h"
#include "scheme/url_path.h"

namespace {

void Check(bool condition) {
  if (!condition)
    abort();
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// The route is taken from the path with its escapes decoded.
void CheckRoute(const std::string& url_path) {
  const std::string path = zubrix::DecodePathEscapes(url_path);
  Check(path.size() <= url_path.size());
  Check(url_path.find('%') != std::string::npos || path == url_path);
  const zubrix::ClientRoute route = zubrix::RouteClientPath(url_path);
  switch (route.kind) {
    case zubrix::ClientRoute::Kind::kArchive:
      Check(StartsWith(path, "//plovex/"));
      Check(route.archive_path.find(".plovex") != std::string::npos);
      if (route.has_entry_name) {
        const std::string marker = ".plovex";
        Check(route.archive_path.size() >= marker.size() &&
              route.archive_path.compare(route.archive_path.size() - marker.size(),
                                         marker.size(), marker) == 0);
        Check(path == "//plovex/" + route.archive_path + "/" + route.entry_name);
        Check(path.find('\0') == std::string::npos);
      } else {
        // No marker with a slash, or a NUL somewhere.
        Check(path == "//plovex/" + route.archive_path ||
              (StartsWith(path, "//plovex/" + route.archive_path + "/") &&
               path.find('\0') != std::string::npos));
      }
      break;
    case zubrix::ClientRoute::Kind::kFolder:
      Check(StartsWith(path, "//internal/"));
      // The pieces after "internal", none of them empty.
      Check(route.relative_path.find("//") == std::string::npos);
      Check(route.relative_path.empty() ||
            (route.relative_path.front() != '/' &&
             route.relative_path.back() != '/'));
      break;
    case zubrix::ClientRoute::Kind::kNone:
      Check(!StartsWith(path, "//internal/"));
      break;
  }
}

bool SameRoute(const zubrix::ClientRoute& a, const zubrix::ClientRoute& b) {
  return a.kind == b.kind && a.archive_path == b.archive_path &&
         a.has_entry_name == b.has_entry_name &&
         a.entry_name == b.entry_name && a.relative_path == b.relative_path;
}

void CheckNotFoundPage(const std::string& name) {
  const std::string head =
      "<html><head><title>Not Found File</title></head><body bgcolor="
      "\"white\">Cannot Serve File:";
  const std::string tail = "</body>";
  const std::string page = zubrix::NotFoundPage(name);
  Check(page.size() >= head.size() + tail.size() && StartsWith(page, head) &&
        page.compare(page.size() - tail.size(), tail.size(), tail) == 0);
  const std::string middle =
      page.substr(head.size(), page.size() - head.size() - tail.size());
  Check(middle.find_first_of("<>\"'") == std::string::npos);
  Check(middle.size() >= name.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // As the handler sees it: the path part of the parsed URL.
  CefString url;
  url.FromString(bytes);
  CefURLParts parts;
  CefParseURL(url, parts);
  const std::string path = CefString(&parts.path).ToString();
  CheckRoute(path);
  CheckNotFoundPage(path);
  // A whole URL routes as its path does, however it is routed.
  CefString whole_url;
  whole_url.FromString("client:" + bytes);
  Check(SameRoute(zubrix::RouteClientUrl(whole_url),
                  zubrix::RouteClientPath(
                      zubrix::PathOfCanonicalUrl(whole_url))));
  // And the raw bytes, as a path that no URL parser cleaned.
  CheckRoute(bytes);
  CheckNotFoundPage(bytes);
  return 0;
}
