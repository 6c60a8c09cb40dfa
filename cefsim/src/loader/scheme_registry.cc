#include "cefsim/src/loader/scheme_registry.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "cefsim/src/url/url_canonicalizer.h"
#include "cefsim/src/strings/ascii_case.h"

namespace {

// Keyed by lower-case scheme and domain; the domain of a non-standard
// scheme is always empty, so any later registration of it replaces the last.
typedef std::pair<std::string, std::string> FactoryKey;

struct Registry {
  std::mutex mutex;
  std::map<FactoryKey, CefRefPtr<CefSchemeHandlerFactory>> factories;
};

Registry& GetRegistry() {
  static auto* registry = new Registry();
  return *registry;
}

CefRefPtr<CefSchemeHandlerFactory> FindFactory(const std::string& scheme,
                                               const std::string& host) {
  Registry& registry = GetRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  for (const std::string& domain : {host, std::string()}) {
    auto found = registry.factories.find(FactoryKey(scheme, domain));
    if (found != registry.factories.end())
      return found->second;
  }
  return nullptr;
}

}  // namespace

bool CefRegisterSchemeHandlerFactory(
    const CefString& scheme_name,
    const CefString& domain_name,
    CefRefPtr<CefSchemeHandlerFactory> factory) {
  const std::string scheme = cefsim::ToLowerAscii(scheme_name.ToString());
  if (scheme.empty())
    return false;
  const std::string domain = cefsim::IsStandardScheme(scheme)
                                 ? cefsim::ToLowerAscii(domain_name.ToString())
                                 : std::string();
  Registry& registry = GetRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  // A null factory removes the registration.
  if (factory)
    registry.factories[FactoryKey(scheme, domain)] = factory;
  else
    registry.factories.erase(FactoryKey(scheme, domain));
  return true;
}

bool CefClearSchemeHandlerFactories() {
  Registry& registry = GetRegistry();
  std::map<FactoryKey, CefRefPtr<CefSchemeHandlerFactory>> released;
  {
    std::lock_guard<std::mutex> lock(registry.mutex);
    released.swap(registry.factories);
  }
  // The factories go after the lock is left, in case one registers anew.
  return true;
}

namespace cefsim {

CefRefPtr<CefResourceHandler> CreateSchemeHandler(
    CefRefPtr<CefBrowser> browser,
    CefRefPtr<CefFrame> frame,
    CefRefPtr<CefRequest> request) {
  CanonicalUrl url;
  if (!request || !CanonicalizeUrl(request->GetURL().ToString(), &url))
    return nullptr;
  const std::string host = IsStandardScheme(url.scheme) ? url.host : "";
  CefRefPtr<CefSchemeHandlerFactory> factory = FindFactory(url.scheme, host);
  if (!factory)
    return nullptr;
  // Called without the registry's lock, so that the factory may register.
  return factory->Create(browser, frame, url.scheme, request);
}

}  // namespace cefsim
