// The parts of a URL that cookie rules look at, as the URL canonicaliser
// gives them.
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

// Invalid where Chromium's URL rules hold the URL invalid.
CookieUrl ParseCookieUrl(const std::string& url);

// Lower-cases |host| in place; false for characters no host may hold.
bool CanonicalizeHost(std::string* host, bool* is_ip);

}  // namespace cefsim

#endif  // CEFSIM_SRC_COOKIES_COOKIE_URL_H_
