#include "cefsim/src/cookies/cookie_url.h"

#include <algorithm>

#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {
namespace {

bool IsIPv4(const std::string& host) {
  int labels = 0;
  size_t start = 0;
  while (start <= host.size()) {
    size_t dot = std::min(host.find('.', start), host.size());
    if (dot == start || dot - start > 3)
      return false;
    for (size_t i = start; i < dot; ++i) {
      if (host[i] < '0' || host[i] > '9')
        return false;
    }
    ++labels;
    start = dot + 1;
  }
  return labels == 4;
}

bool IsIpHost(const std::string& host) {
  return (!host.empty() && host[0] == '[') || IsIPv4(host);
}

}  // namespace

bool CanonicalizeHost(std::string* host, bool* is_ip) {
  std::string canonical;
  if (!CanonicalizeHostName(*host, &canonical))
    return false;
  *host = canonical;
  *is_ip = IsIpHost(canonical);
  return true;
}

CookieUrl ParseCookieUrl(const std::string& text) {
  CookieUrl url;
  CanonicalUrl canonical;
  if (!CanonicalizeUrl(text, &canonical))
    return url;
  url.valid = true;
  url.scheme = canonical.scheme;
  url.host = canonical.host;
  url.path = canonical.path;
  url.host_is_ip = IsIpHost(url.host);
  return url;
}

}  // namespace cefsim
