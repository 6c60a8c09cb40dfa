// CefBrowserHost's static creation calls.
#include "cefsim/src/browser/browser_host_impl.h"
#include "include/cef_request_context.h"
#include "cefsim/src/runtime/runtime_state.h"
#include "cefsim/src/threads/named_threads.h"

namespace {

cefsim::BrowserCreateParams ParamsFor(const CefWindowInfo& windowInfo,
                                      CefRefPtr<CefClient> client,
                                      const CefString& url,
                                      const CefBrowserSettings& settings) {
  cefsim::BrowserCreateParams params;
  params.window_info = windowInfo;
  params.client = client;
  params.url = url;
  params.settings = settings;
  return params;
}

}  // namespace

// The stand-in has the global request context only, so every context given
// here is that one.
bool CefBrowserHost::CreateBrowser(
    const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
    const CefString& url, const CefBrowserSettings& settings,
    CefRefPtr<CefRequestContext> request_context) {
  if (!cefsim::RuntimeRunning())
    return false;
  cefsim::BrowserCreateParams params =
      ParamsFor(windowInfo, client, url, settings);
  return cefsim::PostToNamedThread(
      TID_UI, [params]() { cefsim::BrowserHostImpl::Create(params); });
}

CefRefPtr<CefBrowser> CefBrowserHost::CreateBrowserSync(
    const CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
    const CefString& url, const CefBrowserSettings& settings,
    CefRefPtr<CefRequestContext> request_context) {
  return cefsim::BrowserHostImpl::Create(
             ParamsFor(windowInfo, client, url, settings))
      .get();
}
