// A cookie in the form the store keeps it, made from a URL and CEF's cookie
// attributes by Chromium's rules.
#ifndef CEFSIM_SRC_COOKIES_CANONICAL_COOKIE_H_
#define CEFSIM_SRC_COOKIES_CANONICAL_COOKIE_H_

#include <cstdint>
#include <string>

#include "cefsim/src/cookies/cookie_time.h"
#include "cefsim/src/cookies/cookie_url.h"
#include "include/cef_base.h"

namespace cefsim {

struct CanonicalCookie {
  std::string name;
  std::string value;
  std::string domain;  // The host for a host-only cookie, else ".domain".
  std::string path;
  bool secure = false;
  bool httponly = false;
  bool persistent = false;
  CookieTime expiry;
  CookieTime creation;
  uint64_t id = 0;  // Unique and rising with creation, within one store.

  bool IsHostOnly() const { return domain.empty() || domain[0] != '.'; }
  bool IsEquivalent(const CanonicalCookie& other) const {
    return name == other.name && domain == other.domain && path == other.path;
  }
  bool IsExpired(CookieTime now) const {
    return persistent && expiry <= now;
  }
  bool IsDomainMatch(const std::string& host) const;
  // Whether a request to |url| would carry this cookie.
  bool IncludedFor(const CookieUrl& url, bool include_httponly) const;
  CefCookie ToCefCookie() const;
};

// False when CEF would refuse the cookie for |url|: a character that breaks
// a cookie line, a domain |url|'s host is not in, a path that is not
// absolute, or a secure cookie from an insecure scheme. |url| must be valid.
bool MakeCanonicalCookie(const CookieUrl& url, const CefCookie& cookie,
                         CookieTime now, CanonicalCookie* out);

}  // namespace cefsim

#endif  // CEFSIM_SRC_COOKIES_CANONICAL_COOKIE_H_
