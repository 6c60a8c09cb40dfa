// The parts of a URL that cookie rules look at, parsed as Chromium's GURL
// would for the schemes cookies can live on.
#ifndef CEFSIM_SRC_COOKIES_COOKIE_URL_H_
#define CEFSIM_SRC_COOKIES_COOKIE_URL_H_

#include <string>

namespace cefsim {

struct CookieUrl {
  bool valid = false;
  std::string scheme;  // Lower case.
  std::string host;    // Lower case; empty for non-standard schemes.
  std::string path;    // "/" at least for standard schemes.
  bool host_is_ip = false;

  bool IsCryptographic() const { return scheme == "https" || scheme == "wss"; }
};

// A URL is valid with a scheme and, for standard schemes other than file:, a
// host; everything after a non-standard scheme's colon is its path.
CookieUrl ParseCookieUrl(const std::string& url);

// Schemes and host names compare without regard to ASCII case.
std::string LowerAscii(std::string text);

// Lower-cases |host| in place; false for characters no host may hold.
bool CanonicalizeHost(std::string* host, bool* is_ip);

}  // namespace cefsim

#endif  // CEFSIM_SRC_COOKIES_COOKIE_URL_H_
