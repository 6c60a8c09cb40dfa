#include "cookies/cookie_url.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace cefsim {
namespace {

bool IsStandardScheme(const std::string& scheme) {
  static const char* const kStandard[] = {"http", "https", "ws", "wss",
                                          "ftp", "file", "gopher"};
  for (const char* standard : kStandard) {
    if (scheme == standard)
      return true;
  }
  return false;
}

// GURL ignores leading and trailing control characters and spaces.
std::string TrimUrlText(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20)
    ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20)
    --end;
  return text.substr(begin, end - begin);
}

bool ParseScheme(const std::string& text, std::string* scheme, size_t* colon) {
  *colon = text.find(':');
  if (*colon == std::string::npos || *colon == 0 ||
      !std::isalpha(static_cast<unsigned char>(text[0])))
    return false;
  for (size_t i = 1; i < *colon; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
      return false;
  }
  *scheme = LowerAscii(text.substr(0, *colon));
  return true;
}

bool IsIPv4(const std::string& host) {
  int labels = 0;
  size_t start = 0;
  while (start <= host.size()) {
    size_t dot = std::min(host.find('.', start), host.size());
    if (dot == start || dot - start > 3)
      return false;
    for (size_t i = start; i < dot; ++i) {
      if (!std::isdigit(static_cast<unsigned char>(host[i])))
        return false;
    }
    ++labels;
    start = dot + 1;
  }
  return labels == 4;
}

}  // namespace

std::string LowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return text;
}

bool CanonicalizeHost(std::string* host, bool* is_ip) {
  *host = LowerAscii(*host);
  *is_ip = false;
  if (host->size() >= 2 && host->front() == '[' && host->back() == ']') {
    for (size_t i = 1; i + 1 < host->size(); ++i) {
      unsigned char c = static_cast<unsigned char>((*host)[i]);
      if (!std::isxdigit(c) && c != ':' && c != '.')
        return false;
    }
    *is_ip = true;
    return true;
  }
  for (unsigned char c : *host) {
    if (c <= 0x20 || c == 0x7f || std::strchr("#%/:<>?@[\\]^|", c))
      return false;
  }
  *is_ip = IsIPv4(*host);
  return true;
}

namespace {

bool ValidPort(const std::string& port) {
  if (port.size() > 5)
    return false;
  for (char c : port) {
    if (!std::isdigit(static_cast<unsigned char>(c)))
      return false;
  }
  return port.empty() || std::stoi(port) <= 65535;
}

// Splits "//user@host:port/path?query#ref" after the scheme's colon.
bool ParseStandard(const std::string& rest, CookieUrl* url) {
  size_t begin = rest.find_first_not_of("/\\");
  if (begin == std::string::npos)
    begin = rest.size();
  size_t authority_end = rest.find_first_of("/\\?#", begin);
  if (authority_end == std::string::npos)
    authority_end = rest.size();
  std::string authority = rest.substr(begin, authority_end - begin);
  size_t at = authority.rfind('@');
  if (at != std::string::npos)
    authority.erase(0, at + 1);
  size_t colon = authority.rfind(':');
  if (colon != std::string::npos &&
      authority.find(']', colon) == std::string::npos) {
    if (!ValidPort(authority.substr(colon + 1)))
      return false;
    authority.erase(colon);
  }
  url->host = authority;
  if (!CanonicalizeHost(&url->host, &url->host_is_ip))
    return false;
  if (url->host.empty() && url->scheme != "file")
    return false;

  size_t path_end = rest.find_first_of("?#", authority_end);
  if (path_end == std::string::npos)
    path_end = rest.size();
  url->path = rest.substr(authority_end, path_end - authority_end);
  std::replace(url->path.begin(), url->path.end(), '\\', '/');
  if (url->path.empty())
    url->path = "/";
  return true;
}

}  // namespace

CookieUrl ParseCookieUrl(const std::string& text) {
  CookieUrl url;
  std::string trimmed = TrimUrlText(text);
  size_t colon = 0;
  if (!ParseScheme(trimmed, &url.scheme, &colon))
    return url;
  std::string rest = trimmed.substr(colon + 1);
  if (IsStandardScheme(url.scheme)) {
    url.valid = ParseStandard(rest, &url);
  } else {
    url.path = rest.substr(0, rest.find_first_of("?#"));
    url.valid = true;
  }
  return url;
}

}  // namespace cefsim
