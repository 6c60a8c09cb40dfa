// The stand-in's CefRequest. The loader fills in what only CEF may set and
// then makes the request read-only before handing it to a client; setters of
// a read-only request change nothing, as with CEF.
#ifndef CEFSIM_SRC_NET_REQUEST_IMPL_H_
#define CEFSIM_SRC_NET_REQUEST_IMPL_H_

#include <mutex>

#include "include/cef_request.h"

namespace cefsim {

class RequestImpl : public CefRequest {
 public:
  RequestImpl();

  void SetReadOnly(bool read_only);
  void SetResourceType(ResourceType type);
  void SetIdentifier(uint64 identifier);

  bool IsReadOnly() override;
  CefString GetURL() override;
  void SetURL(const CefString& url) override;
  CefString GetMethod() override;
  void SetMethod(const CefString& method) override;
  void SetReferrer(const CefString& referrer_url,
                   ReferrerPolicy policy) override;
  CefString GetReferrerURL() override;
  ReferrerPolicy GetReferrerPolicy() override;
  CefRefPtr<CefPostData> GetPostData() override;
  void SetPostData(CefRefPtr<CefPostData> postData) override;
  void GetHeaderMap(HeaderMap& headerMap) override;
  void SetHeaderMap(const HeaderMap& headerMap) override;
  void Set(const CefString& url, const CefString& method,
           CefRefPtr<CefPostData> postData,
           const HeaderMap& headerMap) override;
  int GetFlags() override;
  void SetFlags(int flags) override;
  CefString GetFirstPartyForCookies() override;
  void SetFirstPartyForCookies(const CefString& url) override;
  ResourceType GetResourceType() override;
  TransitionType GetTransitionType() override;
  uint64 GetIdentifier() override;

 private:
  std::mutex mutex_;
  bool read_only_ = false;
  CefString url_;
  CefString method_;
  CefString referrer_url_;
  ReferrerPolicy referrer_policy_ = REFERRER_POLICY_DEFAULT;
  CefRefPtr<CefPostData> post_data_;
  HeaderMap headers_;
  int flags_ = UR_FLAG_NONE;
  CefString first_party_for_cookies_;
  ResourceType resource_type_ = RT_SUB_RESOURCE;
  TransitionType transition_type_ = TT_EXPLICIT;
  uint64 identifier_ = 0;
  IMPLEMENT_REFCOUNTING(RequestImpl);
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_NET_REQUEST_IMPL_H_
