#include "cefsim/src/render/render_browser_impl.h"

#include <map>

#include "include/cef_render_process_handler.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/process_message_impl.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/render/frame_load.h"
#include "cefsim/src/render/text_decoding.h"
#include "cefsim/src/strings/u16_text.h"

namespace cefsim {
namespace {

// Render thread. Browsers live as long as their render process.
std::map<int, CefRefPtr<RenderBrowserImpl>>& Browsers() {
  static auto* browsers = new std::map<int, CefRefPtr<RenderBrowserImpl>>();
  return *browsers;
}

// Contexts are released while the render thread still runs; the browsers
// themselves stay, as their frames may still be held.
void DestroyRenderBrowsers() {
  for (const auto& entry : Browsers())
    entry.second->Destroy();
}

const bool registered = [] {
  SetRenderProcessTeardown(DestroyRenderBrowsers);
  return true;
}();

}  // namespace

void AddRenderBrowser(CefRefPtr<RenderBrowserImpl> browser) {
  Browsers()[browser->GetIdentifier()] = browser;
}

CefRefPtr<RenderBrowserImpl> FindRenderBrowser(int id) {
  auto it = Browsers().find(id);
  return it == Browsers().end() ? nullptr : it->second;
}

RenderBrowserImpl::RenderBrowserImpl(int id, int64 main_frame_id,
                                     bool is_devtools,
                                     const std::string& default_encoding)
    : id_(id),
      is_devtools_(is_devtools),
      default_encoding_(default_encoding.empty() ? kDefaultTextEncoding
                                                 : default_encoding),
      next_sub_frame_id_(main_frame_id + 1) {
  main_frame_ = new RenderFrameImpl(this, main_frame_id, 0, CefString());
  frames_.push_back(main_frame_);
}

CefRefPtr<RenderFrameImpl> RenderBrowserImpl::FindFrame(int64 identifier) {
  for (const auto& frame : frames_) {
    if (frame->GetIdentifier() == identifier)
      return frame;
  }
  return nullptr;
}

CefRefPtr<RenderFrameImpl> RenderBrowserImpl::AddSubFrame(
    CefRefPtr<RenderFrameImpl> parent, const CefString& name) {
  CefRefPtr<RenderFrameImpl> frame = new RenderFrameImpl(
      this, next_sub_frame_id_++, parent->GetIdentifier(), name);
  frames_.push_back(frame);
  return frame;
}

void RenderBrowserImpl::DetachChildren(CefRefPtr<RenderFrameImpl> frame) {
  // Frames follow their parents, so going backwards detaches the deepest
  // first.
  std::vector<int64> doomed{frame->GetIdentifier()};
  for (const auto& candidate : frames_) {
    for (size_t i = 0; i < doomed.size(); ++i) {
      if (candidate->parent_identifier() == doomed[i] && !candidate->IsMain()) {
        doomed.push_back(candidate->GetIdentifier());
        break;
      }
    }
  }
  for (size_t i = frames_.size(); i-- > 0;) {
    CefRefPtr<RenderFrameImpl> candidate = frames_[i];
    for (size_t d = 1; d < doomed.size(); ++d) {
      if (candidate->GetIdentifier() == doomed[d]) {
        candidate->Detach();
        frames_.erase(frames_.begin() + i);
        break;
      }
    }
  }
}

void RenderBrowserImpl::Destroy() {
  DetachChildren(main_frame_);
  main_frame_->Detach();
  frames_.clear();
  if (CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler())
    handler->OnBrowserDestroyed(this);
}

void RenderBrowserImpl::RequestNavigation(
    int64 frame_id, NavigationRequestMessage::Action action,
    const CefString& url) {
  NavigationRequestMessage request;
  request.browser_id = id_;
  request.frame_id = frame_id;
  request.action = action;
  request.url = cefsim::ToU16String(url);
  RenderProcessChannel()->Send(kFrameNavigationRequest, Encode(request));
}

void RenderBrowserImpl::GoBack() {
  RequestNavigation(main_frame_->GetIdentifier(),
                    NavigationRequestMessage::kBack, CefString());
}

void RenderBrowserImpl::GoForward() {
  RequestNavigation(main_frame_->GetIdentifier(),
                    NavigationRequestMessage::kForward, CefString());
}

bool RenderBrowserImpl::IsLoading() {
  for (const auto& frame : frames_) {
    std::shared_ptr<FrameLoad> load = frame->current_load();
    if (load && !load->ended())
      return true;
  }
  return false;
}

void RenderBrowserImpl::Reload() {
  RequestNavigation(main_frame_->GetIdentifier(),
                    NavigationRequestMessage::kReload, CefString());
}

void RenderBrowserImpl::ReloadIgnoreCache() {
  RequestNavigation(main_frame_->GetIdentifier(),
                    NavigationRequestMessage::kReloadIgnoreCache, CefString());
}

void RenderBrowserImpl::StopLoad() {
  RequestNavigation(main_frame_->GetIdentifier(),
                    NavigationRequestMessage::kStop, CefString());
}

bool RenderBrowserImpl::IsSame(CefRefPtr<CefBrowser> that) {
  return that && that->GetIdentifier() == id_;
}

bool RenderBrowserImpl::HasDocument() { return !main_frame_->GetURL().empty(); }

CefRefPtr<CefFrame> RenderBrowserImpl::GetFrame(int64 identifier) {
  return FindFrame(identifier).get();
}

CefRefPtr<CefFrame> RenderBrowserImpl::GetFrame(const CefString& name) {
  if (name.empty())
    return main_frame_.get();
  for (const auto& frame : frames_) {
    if (frame->GetName() == name)
      return frame.get();
  }
  return nullptr;
}

void RenderBrowserImpl::GetFrameIdentifiers(std::vector<int64>& identifiers) {
  identifiers.clear();
  for (const auto& frame : frames_)
    identifiers.push_back(frame->GetIdentifier());
}

void RenderBrowserImpl::GetFrameNames(std::vector<CefString>& names) {
  names.clear();
  for (const auto& frame : frames_)
    names.push_back(frame->GetName());
}

bool RenderBrowserImpl::SendProcessMessage(
    CefProcessId target_process, CefRefPtr<CefProcessMessage> message) {
  if (target_process != PID_BROWSER || !message)
    return false;
  return RenderProcessChannel()->Send(kFrameProcessMessage,
                                      EncodeProcessMessage(id_, message));
}

}  // namespace cefsim
