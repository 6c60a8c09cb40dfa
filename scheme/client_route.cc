#include "scheme/client_route.h"

#include <algorithm>

#include "scheme/url_path.h"

namespace zubrix {
namespace {

// The scheme is non-standard, so "internal" or "plovex" after the two
// slashes is part of the path.
const char kArchivePrefix[] = "//plovex/";
const char kArchiveMarker[] = ".plovex";
const char kArchiveMarkerWithSlash[] = ".plovex/";
const char kFolderPrefix[] = "//internal/";

typedef CefString::char_type Unit;

// The folder's route is found the same way in a path of UTF-8 bytes and in
// one of ASCII-only UTF-16 units; these helpers take either.

// |prefix| is a non-empty literal.
template <typename Char, size_t N>
bool StartsWith(const Char* path, size_t size, const char (&prefix)[N]) {
  if (size < N - 1)
    return false;
  for (size_t i = 0; i + 1 < N; ++i) {
    if (path[i] != static_cast<Char>(prefix[i]))
      return false;
  }
  return true;
}

void AppendPiece(const char* piece, size_t size, std::string* text) {
  text->append(piece, size);
}

void AppendPiece(const Unit* piece, size_t size, std::string* text) {
  AppendAsciiUnits(piece, size, text);
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
  // A decoded NUL would end the archive's file name early, opening another
  // file: such a path names no entry.
  route.has_entry_name = path.find('\0') == std::string::npos;
  if (route.has_entry_name)
    route.entry_name = path.substr(marker + marker_length + 1);
  return route;
}

template <typename Char>
ClientRoute RouteToFolder(const Char* path, size_t size) {
  ClientRoute route;
  route.kind = ClientRoute::Kind::kFolder;
  // The pieces after the first, which is always "internal", joined with
  // single slashes.
  bool first = true;
  size_t start = 0;
  while (start < size) {
    size_t slash = start;
    while (slash < size && path[slash] != '/')
      ++slash;
    if (slash > start) {
      if (!first) {
        if (!route.relative_path.empty())
          route.relative_path += '/';
        AppendPiece(path + start, slash - start, &route.relative_path);
      }
      first = false;
    }
    start = slash + 1;
  }
  return route;
}

}  // namespace

ClientRoute RouteClientPath(const std::string& url_path) {
  // Every test below is made on the decoded path, so that an escaped "..",
  // slash or NUL is seen for what it is.
  const std::string path = DecodePathEscapes(url_path);
  // The two prefixes exclude each other, so the folder's, the more common,
  // is tried first.
  if (StartsWith(path.data(), path.size(), kFolderPrefix))
    return RouteToFolder(path.data(), path.size());
  if (StartsWith(path.data(), path.size(), kArchivePrefix) &&
      path.find(kArchiveMarker) != std::string::npos)
    return RouteToArchive(path);
  return ClientRoute();
}

ClientRoute RouteClientUrl(const CefString& url) {
  // Most requests are for the folder, with an ASCII path and nothing to
  // decode: those are routed from the URL's own units, without copying the
  // path first.
  const UrlPathBounds bounds = FindPathOfCanonicalUrl(url);
  const Unit* const path = url.c_str() + bounds.start;
  const size_t size = bounds.end - bounds.start;
  if (IsAsciiUnits(path, size) && std::find(path, path + size, '%') == path + size &&
      StartsWith(path, size, kFolderPrefix))
    return RouteToFolder(path, size);
  return RouteClientPath(PathOfCanonicalUrl(url));
}

}  // namespace zubrix
