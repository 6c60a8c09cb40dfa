// The stand-in's cookie managers: each wraps a store, the global one or one
// of its own, and answers on CEF's IO thread as CEF does.
#include <algorithm>

#include "cefsim/src/cookies/cookie_store.h"
#include "include/cef_cookie.h"
#include "cefsim/src/runtime/runtime_state.h"
#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

using CookieFilter = std::function<bool(const CanonicalCookie&)>;

void CompleteOnIO(CefRefPtr<CefCompletionCallback> callback) {
  if (callback)
    PostToNamedThread(TID_IO, [callback]() { callback->OnComplete(); });
}

void VisitOnIO(std::shared_ptr<CookieStore> store,
               CefRefPtr<CefCookieVisitor> visitor, CookieFilter filter) {
  PostToNamedThread(TID_IO, [store, visitor, filter]() {
    std::vector<CanonicalCookie> cookies = store->Cookies();
    cookies.erase(std::remove_if(cookies.begin(), cookies.end(),
                                 [&filter](const CanonicalCookie& cookie) {
                                   return !filter(cookie);
                                 }),
                  cookies.end());
    int total = static_cast<int>(cookies.size());
    for (int i = 0; i < total; ++i) {
      bool delete_cookie = false;
      bool go_on = visitor->Visit(cookies[i].ToCefCookie(), i, total,
                                  delete_cookie);
      if (delete_cookie)
        store->Delete(cookies[i].id);
      if (!go_on)
        break;
    }
  });
}

class CookieManagerImpl : public CefCookieManager {
 public:
  explicit CookieManagerImpl(std::shared_ptr<CookieStore> store)
      : store_(std::move(store)) {}

  void SetSupportedSchemes(
      const std::vector<CefString>& schemes,
      CefRefPtr<CefCompletionCallback> callback) override {
    std::vector<std::string> names;
    for (const CefString& scheme : schemes)
      names.push_back(ToLowerAscii(scheme.ToString()));
    store_->SetSupportedSchemes(names);
    CompleteOnIO(callback);
  }

  bool VisitAllCookies(CefRefPtr<CefCookieVisitor> visitor) override {
    if (!visitor || !RuntimeRunning())
      return false;
    VisitOnIO(store_, visitor, [](const CanonicalCookie&) { return true; });
    return true;
  }

  bool VisitUrlCookies(const CefString& url, bool includeHttpOnly,
                       CefRefPtr<CefCookieVisitor> visitor) override {
    CookieUrl parsed = ParseCookieUrl(url.ToString());
    if (!visitor || !parsed.valid || !RuntimeRunning())
      return false;
    VisitOnIO(store_, visitor,
              [parsed, includeHttpOnly](const CanonicalCookie& cookie) {
                return cookie.IncludedFor(parsed, includeHttpOnly);
              });
    return true;
  }

  bool SetCookie(const CefString& url, const CefCookie& cookie,
                 CefRefPtr<CefSetCookieCallback> callback) override {
    CookieUrl parsed = ParseCookieUrl(url.ToString());
    if (!parsed.valid || !RuntimeRunning())
      return false;
    // Stored at once, so that whatever runs next already sees the cookie;
    // only the report waits for the IO thread.
    bool stored = store_->Set(parsed, cookie);
    if (callback)
      PostToNamedThread(TID_IO,
                        [callback, stored]() { callback->OnComplete(stored); });
    return stored;
  }

  bool DeleteCookies(const CefString& url, const CefString& cookie_name,
                     CefRefPtr<CefDeleteCookiesCallback> callback) override {
    if (!RuntimeRunning())
      return false;
    CookieFilter matches = [](const CanonicalCookie&) { return true; };
    if (!url.empty()) {
      CookieUrl parsed = ParseCookieUrl(url.ToString());
      if (!parsed.valid)
        return false;
      std::string name = cookie_name.ToString();
      if (name.empty()) {
        // Host cookies of the URL's host, whatever their path.
        matches = [parsed](const CanonicalCookie& cookie) {
          return cookie.IsHostOnly() && cookie.IsDomainMatch(parsed.host);
        };
      } else {
        matches = [parsed, name](const CanonicalCookie& cookie) {
          return cookie.name == name && cookie.IncludedFor(parsed, true);
        };
      }
    }
    int deleted = store_->DeleteIf(matches);
    if (callback)
      PostToNamedThread(TID_IO,
                        [callback, deleted]() { callback->OnComplete(deleted); });
    return true;
  }

  // The stand-in keeps cookies in memory only; there is nothing to move or
  // write out.
  bool SetStoragePath(const CefString& path, bool persist_session_cookies,
                      CefRefPtr<CefCompletionCallback> callback) override {
    if (!RuntimeRunning())
      return false;
    CompleteOnIO(callback);
    return true;
  }

  bool FlushStore(CefRefPtr<CefCompletionCallback> callback) override {
    if (!RuntimeRunning())
      return false;
    CompleteOnIO(callback);
    return true;
  }

 private:
  std::shared_ptr<CookieStore> store_;

  IMPLEMENT_REFCOUNTING(CookieManagerImpl);
};

CefRefPtr<CefCookieManager> NewManager(
    std::shared_ptr<CookieStore> store,
    CefRefPtr<CefCompletionCallback> callback) {
  // Like CEF, there is no cookie manager outside CefInitialize/CefShutdown.
  if (!RuntimeRunning())
    return nullptr;
  CompleteOnIO(callback);
  return new CookieManagerImpl(std::move(store));
}

}  // namespace
}  // namespace cefsim

CefRefPtr<CefCookieManager> CefCookieManager::GetGlobalManager(
    CefRefPtr<CefCompletionCallback> callback) {
  return cefsim::NewManager(cefsim::GlobalCookieStore(), callback);
}

CefRefPtr<CefCookieManager> CefCookieManager::CreateManager(
    const CefString& path, bool persist_session_cookies,
    CefRefPtr<CefCompletionCallback> callback) {
  return cefsim::NewManager(std::make_shared<cefsim::CookieStore>(), callback);
}
