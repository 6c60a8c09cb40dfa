#include "cefsim/src/render/url_resolution.h"

#include "cefsim/src/url/path_canonicalizer.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {
std::string ResolveUrl(const std::string& base,
                       const std::string& raw_reference) {
  const std::string reference = StripWhitespace(raw_reference);
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

  size_t suffix = reference.find_first_of("?#");
  std::string path = reference.substr(0, suffix);
  std::string resolved = origin;
  bool valid = true;
  if (path.empty()) {
    resolved += base_path;
  } else if (path[0] == '/' || path[0] == '\\') {
    valid = AppendCanonicalPath(path, &resolved);
  } else {
    // The base's directory as it stands; the reference's ".." may still
    // climb back through it, never above its first slash.
    resolved += base_path.substr(0, base_path.rfind('/') + 1);
    valid = AppendCanonicalPartialPath(path, origin.size(), &resolved);
  }
  if (!valid)
    return std::string();
  if (suffix == std::string::npos)
    return resolved;
  size_t hash = reference.find('#', suffix);
  if (reference[suffix] == '?') {
    resolved += "?" + CanonicalizeQuery(reference.substr(
                          suffix + 1, hash == std::string::npos
                                          ? std::string::npos
                                          : hash - suffix - 1));
  }
  if (hash != std::string::npos)
    resolved += reference.substr(hash);
  return resolved;
}

}  // namespace cefsim
