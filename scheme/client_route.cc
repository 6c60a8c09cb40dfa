#include "scheme/client_route.h"

namespace zubrix {
namespace {

// The scheme is non-standard, so "internal" or "plovex" after the two
// slashes is part of the path.
const char kArchivePrefix[] = "//plovex/";
const char kArchiveMarker[] = ".plovex";
const char kArchiveMarkerWithSlash[] = ".plovex/";
const char kFolderPrefix[] = "//internal/";

// |prefix| is a non-empty literal.
template <size_t N>
bool StartsWith(const std::string& text, const char (&prefix)[N]) {
  return text.compare(0, N - 1, prefix, N - 1) == 0;
}

ClientRoute RouteToArchive(const std::string& path) {
  const size_t prefix_length = sizeof(kArchivePrefix) - 1;
  ClientRoute route;
  route.kind = ClientRoute::Kind::kArchive;
  size_t marker = path.find(kArchiveMarkerWithSlash);
  if (marker == std::string::npos) {
    route.archive_path = path.substr(prefix_length);
    return route;
  }
  const size_t marker_length = sizeof(kArchiveMarker) - 1;
  route.archive_path =
      path.substr(prefix_length, marker + marker_length - prefix_length);
  route.has_entry_name = true;
  route.entry_name = path.substr(marker + marker_length + 1);
  return route;
}

ClientRoute RouteToFolder(const std::string& path) {
  ClientRoute route;
  route.kind = ClientRoute::Kind::kFolder;
  // The pieces after the first, which is always "internal", joined with
  // single slashes.
  bool first = true;
  size_t start = 0;
  while (start < path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos)
      slash = path.size();
    if (slash > start) {
      if (!first) {
        if (!route.relative_path.empty())
          route.relative_path += '/';
        route.relative_path.append(path, start, slash - start);
      }
      first = false;
    }
    start = slash + 1;
  }
  return route;
}

}  // namespace

ClientRoute RouteClientPath(const std::string& path) {
  // The two prefixes exclude each other, so the folder's, the more common,
  // is tried first.
  if (StartsWith(path, kFolderPrefix))
    return RouteToFolder(path);
  if (StartsWith(path, kArchivePrefix) &&
      path.find(kArchiveMarker) != std::string::npos)
    return RouteToArchive(path);
  return ClientRoute();
}

}  // namespace zubrix
