#include "render/url_resolution.h"

#include "url/url_canonicalizer.h"

namespace cefsim {

std::string ResolveUrl(const std::string& base, const std::string& reference) {
  if (!SchemeOf(reference).empty())
    return reference;
  std::string scheme = SchemeOf(base);
  size_t authority = scheme.size() + 1;
  if (scheme.empty() || base.compare(authority, 2, "//") != 0)
    return std::string();
  if (reference.compare(0, 2, "//") == 0)
    return scheme + ":" + reference;
  size_t path_start = base.find_first_of("/?#", authority + 2);
  std::string origin = base.substr(0, path_start);
  std::string base_path = "/";
  if (path_start != std::string::npos && base[path_start] == '/') {
    size_t path_end = base.find_first_of("?#", path_start);
    base_path = base.substr(path_start, path_end == std::string::npos
                                            ? std::string::npos
                                            : path_end - path_start);
  }
  if (reference.empty())
    return base.substr(0, base.find('#'));
  if (reference[0] == '#')
    return base.substr(0, base.find('#')) + reference;
  if (reference[0] == '?')
    return origin + base_path + reference;
  size_t suffix = reference.find_first_of("?#");
  std::string path = reference.substr(0, suffix);
  std::string rest = suffix == std::string::npos ? "" : reference.substr(suffix);
  if (path[0] != '/')
    path = base_path.substr(0, base_path.rfind('/') + 1) + path;
  return origin + RemoveDotSegments(path) + rest;
}

}  // namespace cefsim
