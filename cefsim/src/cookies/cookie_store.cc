#include "cefsim/src/cookies/cookie_store.h"

#include <algorithm>

namespace cefsim {
namespace {

const char* const kDefaultSchemes[] = {"http", "https", "ws", "wss"};

}  // namespace

CookieStore::CookieStore()
    : schemes_(std::begin(kDefaultSchemes), std::end(kDefaultSchemes)) {}

void CookieStore::SetSupportedSchemes(const std::vector<std::string>& schemes) {
  std::lock_guard<std::mutex> lock(mutex_);
  schemes_.assign(std::begin(kDefaultSchemes), std::end(kDefaultSchemes));
  schemes_.insert(schemes_.end(), schemes.begin(), schemes.end());
}

bool CookieStore::IsCookieable(const std::string& scheme) {
  return std::find(schemes_.begin(), schemes_.end(), scheme) != schemes_.end();
}

void CookieStore::DropExpired(CookieTime now) {
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                [now](const CanonicalCookie& cookie) {
                                  return cookie.IsExpired(now);
                                }),
                 cookies_.end());
}

bool CookieStore::Set(const CookieUrl& url, const CefCookie& cookie) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!IsCookieable(url.scheme))
    return false;
  // Creation times are unique and rising, which keeps the listing order
  // stable for cookies set within one clock tick.
  CookieTime now = std::max(
      CookieNow(), last_creation_ + std::chrono::microseconds(1));
  CanonicalCookie canonical;
  if (!MakeCanonicalCookie(url, cookie, now, &canonical))
    return false;
  last_creation_ = now;
  canonical.id = next_id_++;
  cookies_.erase(std::remove_if(cookies_.begin(), cookies_.end(),
                                [&canonical](const CanonicalCookie& old) {
                                  return old.IsEquivalent(canonical);
                                }),
                 cookies_.end());
  if (!canonical.IsExpired(now))
    cookies_.push_back(canonical);
  return true;
}

std::vector<CanonicalCookie> CookieStore::Cookies() {
  std::lock_guard<std::mutex> lock(mutex_);
  DropExpired(CookieNow());
  std::vector<CanonicalCookie> result = cookies_;
  std::stable_sort(result.begin(), result.end(),
                   [](const CanonicalCookie& a, const CanonicalCookie& b) {
                     if (a.path.size() != b.path.size())
                       return a.path.size() > b.path.size();
                     return a.creation < b.creation;
                   });
  return result;
}

void CookieStore::Delete(uint64_t id) {
  DeleteIf([id](const CanonicalCookie& cookie) { return cookie.id == id; });
}

int CookieStore::DeleteIf(
    const std::function<bool(const CanonicalCookie&)>& matches) {
  std::lock_guard<std::mutex> lock(mutex_);
  DropExpired(CookieNow());
  auto kept = std::remove_if(cookies_.begin(), cookies_.end(), matches);
  int removed = static_cast<int>(cookies_.end() - kept);
  cookies_.erase(kept, cookies_.end());
  return removed;
}

std::shared_ptr<CookieStore> GlobalCookieStore() {
  static auto* store = new std::shared_ptr<CookieStore>(new CookieStore());
  return *store;
}

}  // namespace cefsim
