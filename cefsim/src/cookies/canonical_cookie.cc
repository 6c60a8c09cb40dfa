#include "cefsim/src/cookies/canonical_cookie.h"

namespace cefsim {
namespace {

bool IsCookieSpace(char c) {
  return c == ' ' || c == '\t';
}

// A cookie line ends an attribute at a control character or ';' and trims
// spaces at either end, so text holding them would not be what was asked.
bool SurvivesCookieLine(const std::string& text, const std::string& forbidden) {
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && c != '\t') || byte == 0x7f || c == ';' ||
        forbidden.find(c) != std::string::npos)
      return false;
  }
  return text.empty() || (!IsCookieSpace(text.front()) &&
                          !IsCookieSpace(text.back()));
}

// The domain a site can be registered under. Chromium asks the public-suffix
// list; the last two labels stand in for it. Empty for IP addresses and
// single-label hosts, which can only have host-only cookies.
std::string RegistrableDomain(const std::string& domain, bool is_ip) {
  std::string host = domain[0] == '.' ? domain.substr(1) : domain;
  size_t last_dot = host.rfind('.');
  if (is_ip || last_dot == std::string::npos || last_dot == 0)
    return std::string();
  size_t previous_dot = host.rfind('.', last_dot - 1);
  return previous_dot == std::string::npos ? host
                                           : host.substr(previous_dot + 1);
}

bool CookieDomain(const CookieUrl& url, const std::string& attribute,
                  std::string* out) {
  if (attribute.empty() || (url.host_is_ip && attribute == url.host)) {
    *out = url.host;
    return true;
  }
  if (attribute.find('%') != std::string::npos)
    return false;
  std::string domain = attribute;
  bool domain_is_ip = false;
  if (!CanonicalizeHost(&domain, &domain_is_ip) || domain.empty() ||
      domain == ".")
    return false;
  if (domain[0] != '.')
    domain = "." + domain;
  std::string url_registrable = RegistrableDomain(url.host, url.host_is_ip);
  if (url_registrable.empty() ||
      url_registrable != RegistrableDomain(domain, domain_is_ip))
    return false;
  // The URL's host must be the domain itself or lie below it.
  bool inside = url.host.size() < domain.size()
                    ? domain == "." + url.host
                    : url.host.compare(url.host.size() - domain.size(),
                                       domain.size(), domain) == 0;
  if (!inside)
    return false;
  *out = domain;
  return true;
}

// Without a path attribute a cookie belongs to the URL's directory.
std::string DefaultPath(const std::string& url_path) {
  size_t last_slash = url_path.find_last_of('/');
  if (last_slash == 0 || last_slash == std::string::npos)
    return "/";
  return url_path.substr(0, last_slash);
}

// Escapes what a canonical URL path may not hold, as Chromium does before
// storing the path.
std::string CanonicalPath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string result;
  for (char c : path) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      result += '/';
    } else if (byte <= 0x20 || byte >= 0x7f ||
               std::string("\"#<>?`").find(c) != std::string::npos) {
      result += '%';
      result += kHex[byte >> 4];
      result += kHex[byte & 0xf];
    } else {
      result += c;
    }
  }
  return result;
}

void SetField(cef_string_t* field, const std::string& text) {
  CefString(field).FromString(text);
}

}  // namespace

bool CanonicalCookie::IsDomainMatch(const std::string& host) const {
  if (IsHostOnly())
    return host == domain;
  if (host == domain.substr(1))
    return true;
  return host.size() > domain.size() &&
         host.compare(host.size() - domain.size(), domain.size(), domain) == 0;
}

bool CanonicalCookie::IncludedFor(const CookieUrl& url,
                                  bool include_httponly) const {
  if ((httponly && !include_httponly) || (secure && !url.IsCryptographic()) ||
      !IsDomainMatch(url.host) || url.path.compare(0, path.size(), path) != 0)
    return false;
  // "/a" covers "/a" and "/a/b" but not "/ab".
  return path.size() == url.path.size() || path.back() == '/' ||
         url.path[path.size()] == '/';
}

CefCookie CanonicalCookie::ToCefCookie() const {
  CefCookie cookie;
  SetField(&cookie.name, name);
  SetField(&cookie.value, value);
  SetField(&cookie.domain, domain);
  SetField(&cookie.path, path);
  cookie.secure = secure;
  cookie.httponly = httponly;
  cookie.creation = CefTimeFromCookieTime(creation);
  cookie.last_access = cookie.creation;
  cookie.has_expires = persistent;
  if (persistent)
    cookie.expires = CefTimeFromCookieTime(expiry);
  return cookie;
}

bool MakeCanonicalCookie(const CookieUrl& url, const CefCookie& cookie,
                         CookieTime now, CanonicalCookie* out) {
  CanonicalCookie result;
  result.name = CefString(&cookie.name).ToString();
  result.value = CefString(&cookie.value).ToString();
  std::string domain = CefString(&cookie.domain).ToString();
  std::string path = CefString(&cookie.path).ToString();
  if (!SurvivesCookieLine(result.name, "=") ||
      !SurvivesCookieLine(result.value, "") ||
      !SurvivesCookieLine(domain, "") || !SurvivesCookieLine(path, ""))
    return false;
  if (!CookieDomain(url, domain, &result.domain))
    return false;
  if (cookie.secure && !url.IsCryptographic())
    return false;
  if (!path.empty() && path[0] != '/')
    return false;
  result.path = CanonicalPath(path.empty() ? DefaultPath(url.path) : path);
  result.secure = cookie.secure != 0;
  result.httponly = cookie.httponly != 0;
  // An expiry that is no valid time leaves a session cookie, as in CEF.
  result.persistent =
      cookie.has_expires && CefTimeToCookieTime(cookie.expires, &result.expiry);
  result.creation = now;
  *out = result;
  return true;
}

}  // namespace cefsim
