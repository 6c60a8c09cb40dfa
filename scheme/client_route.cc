#include "scheme/client_route.h"

#include <vector>

namespace zubrix {
namespace {

// The scheme is non-standard, so "internal" or "plovex" after the two
// slashes is part of the path.
const char kArchivePrefix[] = "//plovex/";
const char kArchiveMarker[] = ".plovex";
const char kArchiveMarkerWithSlash[] = ".plovex/";
const char kFolderPrefix[] = "//internal/";

bool StartsWith(const std::string& text, const std::string& prefix) {
  return !text.empty() && !prefix.empty() &&
         text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> NonEmptyPieces(const std::string& path) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos)
      slash = path.size();
    if (slash > start)
      pieces.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return pieces;
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
  std::vector<std::string> pieces = NonEmptyPieces(path);
  ClientRoute route;
  route.kind = ClientRoute::Kind::kFolder;
  // The first piece is always "internal".
  for (size_t i = 1; i < pieces.size(); ++i) {
    if (i > 1)
      route.relative_path += '/';
    route.relative_path += pieces[i];
  }
  return route;
}

}  // namespace

ClientRoute RouteClientPath(const std::string& path) {
  if (StartsWith(path, kArchivePrefix) &&
      path.find(kArchiveMarker) != std::string::npos)
    return RouteToArchive(path);
  if (StartsWith(path, kFolderPrefix))
    return RouteToFolder(path);
  return ClientRoute();
}

}  // namespace zubrix
