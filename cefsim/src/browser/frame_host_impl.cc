#include "cefsim/src/browser/frame_host_impl.h"

#include "cefsim/src/browser/browser_host_impl.h"
#include "include/cef_v8.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/strings/u16_text.h"

namespace cefsim {

FrameHostImpl::FrameHostImpl(CefRefPtr<BrowserHostImpl> browser,
                             int64 identifier, int64 parent_identifier)
    : browser_(browser),
      identifier_(identifier),
      parent_identifier_(parent_identifier) {}

void FrameHostImpl::SetDocument(const CefString& name, const CefString& url) {
  std::lock_guard<std::mutex> lock(mutex_);
  name_ = name;
  url_ = url;
}

void FrameHostImpl::Invalidate() {
  std::lock_guard<std::mutex> lock(mutex_);
  valid_ = false;
}

bool FrameHostImpl::IsValid() {
  std::lock_guard<std::mutex> lock(mutex_);
  return valid_;
}

void FrameHostImpl::LoadURL(const CefString& url) {
  if (IsValid())
    browser_->RequestNavigation(identifier_, NavigationRequestMessage::kLoadUrl,
                                url);
}

void FrameHostImpl::ExecuteJavaScript(const CefString& code,
                                      const CefString& script_url,
                                      int start_line) {
  if (code.empty() || !IsValid())
    return;
  ExecuteJavaScriptMessage message;
  message.browser_id = browser_->GetIdentifier();
  // As CefFrameHostImpl::SendJavaScript: a main frame's code goes to
  // whichever main frame the browser has by then, a placeholder's included.
  message.frame_id = IsMain() ? browser_->main_frame_identifier() : identifier_;
  message.start_line = start_line;
  message.code = cefsim::ToU16String(code);
  message.script_url = cefsim::ToU16String(script_url);
  browser_->SendToRenderer(kFrameExecuteJavaScript, Encode(message));
}

CefString FrameHostImpl::GetName() {
  std::lock_guard<std::mutex> lock(mutex_);
  return name_;
}

CefRefPtr<CefFrame> FrameHostImpl::GetParent() {
  if (IsMain())
    return nullptr;
  return browser_->FindFrame(parent_identifier_).get();
}

CefString FrameHostImpl::GetURL() {
  std::lock_guard<std::mutex> lock(mutex_);
  return url_;
}

CefRefPtr<CefBrowser> FrameHostImpl::GetBrowser() { return browser_.get(); }

CefRefPtr<CefV8Context> FrameHostImpl::GetV8Context() { return nullptr; }

}  // namespace cefsim
