// Cookie stores and the callbacks through which they report.
#ifndef CEF_INCLUDE_CEF_COOKIE_H_
#define CEF_INCLUDE_CEF_COOKIE_H_

#include <vector>

#include "include/cef_base.h"
#include "include/cef_callback.h"

class CefCookieVisitor;
class CefSetCookieCallback;
class CefDeleteCookiesCallback;

class CefCookieManager : public virtual CefBaseRefCounted {
 public:
  static CefRefPtr<CefCookieManager> GetGlobalManager(
      CefRefPtr<CefCompletionCallback> callback);
  static CefRefPtr<CefCookieManager> CreateManager(
      const CefString& path,
      bool persist_session_cookies,
      CefRefPtr<CefCompletionCallback> callback);

  virtual void SetSupportedSchemes(
      const std::vector<CefString>& schemes,
      CefRefPtr<CefCompletionCallback> callback) = 0;
  virtual bool VisitAllCookies(CefRefPtr<CefCookieVisitor> visitor) = 0;
  virtual bool VisitUrlCookies(const CefString& url,
                               bool includeHttpOnly,
                               CefRefPtr<CefCookieVisitor> visitor) = 0;
  virtual bool SetCookie(const CefString& url,
                         const CefCookie& cookie,
                         CefRefPtr<CefSetCookieCallback> callback) = 0;
  virtual bool DeleteCookies(const CefString& url,
                             const CefString& cookie_name,
                             CefRefPtr<CefDeleteCookiesCallback> callback) = 0;
  virtual bool SetStoragePath(const CefString& path,
                              bool persist_session_cookies,
                              CefRefPtr<CefCompletionCallback> callback) = 0;
  virtual bool FlushStore(CefRefPtr<CefCompletionCallback> callback) = 0;
};

class CefCookieVisitor : public virtual CefBaseRefCounted {
 public:
  virtual bool Visit(const CefCookie& cookie,
                     int count,
                     int total,
                     bool& deleteCookie) = 0;
};

class CefSetCookieCallback : public virtual CefBaseRefCounted {
 public:
  virtual void OnComplete(bool success) = 0;
};

class CefDeleteCookiesCallback : public virtual CefBaseRefCounted {
 public:
  virtual void OnComplete(int num_deleted) = 0;
};

#endif  // CEF_INCLUDE_CEF_COOKIE_H_
