// An in-memory cookie store: what CEF keeps for one cookie manager.
#ifndef CEFSIM_SRC_COOKIES_COOKIE_STORE_H_
#define CEFSIM_SRC_COOKIES_COOKIE_STORE_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cefsim/src/cookies/canonical_cookie.h"

namespace cefsim {

// Any thread may use a store; one mutex guards all of it.
class CookieStore {
 public:
  CookieStore();

  // Schemes whose URLs may have cookies, beside http, https, ws and wss.
  void SetSupportedSchemes(const std::vector<std::string>& schemes);
  // Stores the cookie in place of an equivalent one (same name, domain and
  // path). False when the URL's scheme has no cookies or CEF would refuse
  // the cookie. An already expired cookie only removes its equivalent.
  bool Set(const CookieUrl& url, const CefCookie& cookie);
  // The live cookies ordered by longest path, then earliest creation.
  std::vector<CanonicalCookie> Cookies();
  void Delete(uint64_t id);
  // Removes every cookie |matches| accepts; the number removed.
  int DeleteIf(const std::function<bool(const CanonicalCookie&)>& matches);

 private:
  bool IsCookieable(const std::string& scheme);
  void DropExpired(CookieTime now);

  std::mutex mutex_;
  std::vector<std::string> schemes_;
  std::vector<CanonicalCookie> cookies_;
  uint64_t next_id_ = 1;
  CookieTime last_creation_;
};

// The store behind CefCookieManager::GetGlobalManager; it lives as long as
// the process.
std::shared_ptr<CookieStore> GlobalCookieStore();

}  // namespace cefsim

#endif  // CEFSIM_SRC_COOKIES_COOKIE_STORE_H_
