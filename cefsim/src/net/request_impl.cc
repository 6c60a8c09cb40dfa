#include "cefsim/src/net/request_impl.h"

namespace cefsim {

namespace {

// Every request starts with it: referred to, not copied, until replaced.
const char16 kDefaultMethod[] = {'G', 'E', 'T'};

}  // namespace

RequestImpl::RequestImpl() : method_(kDefaultMethod, 3, false) {}

void RequestImpl::SetReadOnly(bool read_only) {
  std::lock_guard<std::mutex> lock(mutex_);
  read_only_ = read_only;
}

void RequestImpl::SetResourceType(ResourceType type) {
  std::lock_guard<std::mutex> lock(mutex_);
  resource_type_ = type;
}

void RequestImpl::SetIdentifier(uint64 identifier) {
  std::lock_guard<std::mutex> lock(mutex_);
  identifier_ = identifier;
}

bool RequestImpl::IsReadOnly() {
  std::lock_guard<std::mutex> lock(mutex_);
  return read_only_;
}

CefString RequestImpl::GetURL() {
  std::lock_guard<std::mutex> lock(mutex_);
  return url_;
}

void RequestImpl::SetURL(const CefString& url) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  url_ = url;
}

CefString RequestImpl::GetMethod() {
  std::lock_guard<std::mutex> lock(mutex_);
  return method_;
}

void RequestImpl::SetMethod(const CefString& method) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  method_ = method;
}

void RequestImpl::SetReferrer(const CefString& referrer_url,
                              ReferrerPolicy policy) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  referrer_url_ = referrer_url;
  referrer_policy_ = policy;
}

CefString RequestImpl::GetReferrerURL() {
  std::lock_guard<std::mutex> lock(mutex_);
  return referrer_url_;
}

CefRequest::ReferrerPolicy RequestImpl::GetReferrerPolicy() {
  std::lock_guard<std::mutex> lock(mutex_);
  return referrer_policy_;
}

CefRefPtr<CefPostData> RequestImpl::GetPostData() {
  std::lock_guard<std::mutex> lock(mutex_);
  return post_data_;
}

void RequestImpl::SetPostData(CefRefPtr<CefPostData> postData) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  post_data_ = postData;
}

void RequestImpl::GetHeaderMap(HeaderMap& headerMap) {
  std::lock_guard<std::mutex> lock(mutex_);
  headerMap = headers_;
}

void RequestImpl::SetHeaderMap(const HeaderMap& headerMap) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  headers_ = headerMap;
}

void RequestImpl::Set(const CefString& url, const CefString& method,
                      CefRefPtr<CefPostData> postData,
                      const HeaderMap& headerMap) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  url_ = url;
  method_ = method;
  post_data_ = postData;
  headers_ = headerMap;
}

int RequestImpl::GetFlags() {
  std::lock_guard<std::mutex> lock(mutex_);
  return flags_;
}

void RequestImpl::SetFlags(int flags) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  flags_ = flags;
}

CefString RequestImpl::GetFirstPartyForCookies() {
  std::lock_guard<std::mutex> lock(mutex_);
  return first_party_for_cookies_;
}

void RequestImpl::SetFirstPartyForCookies(const CefString& url) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  first_party_for_cookies_ = url;
}

CefRequest::ResourceType RequestImpl::GetResourceType() {
  std::lock_guard<std::mutex> lock(mutex_);
  return resource_type_;
}

CefRequest::TransitionType RequestImpl::GetTransitionType() {
  std::lock_guard<std::mutex> lock(mutex_);
  return transition_type_;
}

uint64 RequestImpl::GetIdentifier() {
  std::lock_guard<std::mutex> lock(mutex_);
  return identifier_;
}

}  // namespace cefsim

CefRefPtr<CefRequest> CefRequest::Create() {
  return new cefsim::RequestImpl();
}
