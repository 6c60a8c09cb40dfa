#include "cefsim/src/render/render_frame_impl.h"

#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/render/frame_load.h"
#include "cefsim/src/render/render_browser_impl.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/url/fragments.h"

namespace cefsim {

RenderFrameImpl::RenderFrameImpl(CefRefPtr<RenderBrowserImpl> browser,
                                 int64 identifier, int64 parent_identifier,
                                 const CefString& name)
    : browser_(browser),
      identifier_(identifier),
      parent_identifier_(parent_identifier),
      name_(name) {}

void RenderFrameImpl::StartLoad(const CefString& url, int navigation_id,
                                int transition,
                                std::weak_ptr<FrameLoad> parent_load) {
  if (!valid_)
    return;
  if ((transition & TT_SOURCE_MASK) != TT_RELOAD &&
      NavigateWithinDocument(url, navigation_id))
    return;
  // A load that replaces an unfinished one keeps its parent waiting.
  if (parent_load.expired() && load_ && !load_->ended())
    parent_load = load_->parent();
  load_ = std::make_shared<FrameLoad>(this, navigation_id, transition,
                                      cefsim::ToU16String(url), parent_load);
  load_->Start();
}

bool RenderFrameImpl::NavigateWithinDocument(const CefString& url,
                                             int navigation_id) {
  if (!IsFragmentNavigation(url_.ToString(), url.ToString()))
    return false;
  url_ = url;
  SameDocumentNavigationMessage report;
  report.browser_id = browser_->GetIdentifier();
  report.frame_id = identifier_;
  report.navigation_id = navigation_id;
  report.url = cefsim::ToU16String(url);
  RenderProcessChannel()->Send(kFrameSameDocumentNavigation, Encode(report));
  return true;
}

void RenderFrameImpl::CommitDocument(const CefString& url,
                                     const CefString& title) {
  // The handler hears of the old context's release under the old URL.
  scripts_.Release();
  url_ = url;
  scripts_.StartDocument(title);
}

void RenderFrameImpl::Detach() {
  valid_ = false;
  load_.reset();
  scripts_.Release();
}

void RenderFrameImpl::LoadURL(const CefString& url) {
  if (valid_)
    browser_->RequestNavigation(identifier_, NavigationRequestMessage::kLoadUrl,
                                url);
}

void RenderFrameImpl::ExecuteJavaScript(const CefString& code,
                                        const CefString& script_url,
                                        int start_line) {
  if (valid_ && !code.empty())
    scripts_.Run(code, script_url, start_line);
}

CefRefPtr<CefFrame> RenderFrameImpl::GetParent() {
  return IsMain() ? nullptr : browser_->GetFrame(parent_identifier_);
}

CefRefPtr<CefBrowser> RenderFrameImpl::GetBrowser() { return browser_.get(); }

CefRefPtr<CefV8Context> RenderFrameImpl::GetV8Context() {
  return valid_ ? scripts_.Context() : nullptr;
}

}  // namespace cefsim
