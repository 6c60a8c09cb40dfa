#include "cefsim/src/render/frame_load.h"

#include "cefsim/src/fetch/error_names.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/render/render_browser_impl.h"
#include "cefsim/src/render/resource_fetcher.h"
#include "cefsim/src/render/text_decoding.h"
#include "cefsim/src/render/url_resolution.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {
namespace {

// A frame's URL is the canonical one, as Chromium's GURL holds it: what the
// page sees in location.href and resolves its links against. One that does
// not parse stays as given, for the load to fail on.
std::u16string CanonicalOrAsGiven(const std::u16string& url) {
  CanonicalUrl canonical;
  if (!CanonicalizeUrl(cefsim::FromU16String(url).ToString(), &canonical))
    return url;
  return cefsim::ToU16String(CefString(canonical.full_url));
}

void SendToBrowser(uint32_t kind, const std::string& payload) {
  RenderProcessChannel()->Send(kind, payload);
}

}  // namespace

FrameLoad::FrameLoad(CefRefPtr<RenderFrameImpl> frame, int navigation_id,
                     int transition, const std::u16string& url,
                     std::weak_ptr<FrameLoad> parent)
    : frame_(frame),
      navigation_id_(navigation_id),
      transition_(transition),
      url_(CanonicalOrAsGiven(url)),
      parent_(parent) {}

bool FrameLoad::Current() {
  return !ended() && frame_->IsValid() && frame_->current_load().get() == this;
}

void FrameLoad::Start() {
  std::weak_ptr<FrameLoad> weak = shared_from_this();
  FetchResource(frame_->browser()->GetIdentifier(), frame_->GetIdentifier(),
                url_, frame_->IsMain() ? RT_MAIN_FRAME : RT_SUB_FRAME,
                [weak](ResourceResponseMessage response) {
                  if (auto self = weak.lock())
                    self->OnDocument(std::move(response));
                });
}

void FrameLoad::OnDocument(ResourceResponseMessage response) {
  if (!Current() || state_ != State::kFetching)
    return;
  if (response.error_code != ERR_NONE) {
    Fail(static_cast<cef_errorcode_t>(response.error_code));
    return;
  }
  http_status_ = response.http_status;
  if (IsHtmlMimeType(response.mime_type)) {
    DecodedText text =
        DecodeDocumentText(std::move(response.body), response.charset,
                           frame_->browser()->default_encoding());
    document_encoding_ = text.encoding;
    document_ = ScanHtml(text.utf8);
  }
  frame_->browser()->DetachChildren(frame_);
  frame_->CommitDocument(cefsim::FromU16String(url_), document_.title);

  LoadStartMessage start;
  start.browser_id = frame_->browser()->GetIdentifier();
  start.frame_id = frame_->GetIdentifier();
  start.parent_frame_id = frame_->parent_identifier();
  start.navigation_id = navigation_id_;
  start.transition_type = transition_;
  start.name = cefsim::ToU16String(frame_->GetName());
  start.url = url_;
  SendToBrowser(kFrameLoadStart, Encode(start));
  // The page does not wait for the browser: what the load handler executes
  // arrives like any other script, usually after the first ones here have
  // run. Everything this load reports follows the start on the channel.
  state_ = State::kRunning;
  RunItems();
}

void FrameLoad::RunItems() {
  // What the scripts call may reach this load; it stays alive meanwhile.
  std::shared_ptr<FrameLoad> self = shared_from_this();
  while (Current() && !waiting_for_script_ &&
         next_item_ < document_.items.size()) {
    const DocumentItem& item = document_.items[next_item_++];
    switch (item.kind) {
      case DocumentItem::kInlineScript:
        frame_->scripts().Run(item.text, frame_->GetURL(), item.line);
        break;
      case DocumentItem::kScriptSource: {
        std::string base = frame_->GetURL().ToString();
        std::string url = ResolveUrl(base, item.text);
        if (url.empty())
          url = item.text;
        waiting_for_script_ = true;
        std::weak_ptr<FrameLoad> weak = shared_from_this();
        FetchResource(frame_->browser()->GetIdentifier(),
                      frame_->GetIdentifier(),
                      cefsim::ToU16String(CefString(url)), RT_SCRIPT,
                      [weak, url](ResourceResponseMessage response) {
                        if (auto self = weak.lock())
                          self->OnScriptSource(url, std::move(response));
                      });
        break;
      }
      case DocumentItem::kFrame:
        StartSubFrame(item);
        break;
    }
  }
  EndIfDone();
}

void FrameLoad::StartSubFrame(const DocumentItem& item) {
  CefRefPtr<RenderFrameImpl> child =
      frame_->browser()->AddSubFrame(frame_, item.name);
  std::string url = ResolveUrl(frame_->GetURL().ToString(), item.text);
  ++open_children_;
  // An unresolvable src still goes to the loader, which refuses it and so
  // ends the sub-frame's load with an error.
  child->StartLoad(url.empty() ? item.text : url, 0, TT_AUTO_SUBFRAME,
                   shared_from_this());
}

void FrameLoad::OnScriptSource(const std::string& url,
                               ResourceResponseMessage response) {
  if (!Current() || !waiting_for_script_)
    return;
  waiting_for_script_ = false;
  if (response.error_code == ERR_NONE) {
    // A script without a mark or a charset of its own is read in its
    // document's encoding.
    frame_->scripts().Run(
        DecodeScriptText(std::move(response.body), response.charset,
                         document_encoding_)
            .utf8,
        url, 1);
  } else {
    // As Chrome's console reports it; the page's later scripts still run.
    frame_->scripts().AddConsoleMessage(
        "Failed to load resource: " +
            NetErrorName(static_cast<cef_errorcode_t>(response.error_code)),
        url, 0);
  }
  RunItems();
}

void FrameLoad::OnChildEnded() {
  --open_children_;
  EndIfDone();
}

void FrameLoad::EndIfDone() {
  // A load that another has replaced ends unreported.
  if (!Current() || state_ != State::kRunning || waiting_for_script_ ||
      next_item_ < document_.items.size() || open_children_ > 0)
    return;
  state_ = State::kEnded;
  LoadEndMessage end;
  end.browser_id = frame_->browser()->GetIdentifier();
  end.frame_id = frame_->GetIdentifier();
  end.navigation_id = navigation_id_;
  end.http_status = http_status_;
  SendToBrowser(kFrameLoadEnd, Encode(end));
  NotifyParent();
}

void FrameLoad::Abort(cef_errorcode_t error) {
  if (ended())
    return;
  // Ended first, so that sub-frames ending below do not end this one well.
  state_ = State::kEnded;
  for (const auto& frame : frame_->browser()->Frames()) {
    std::shared_ptr<FrameLoad> load = frame->current_load();
    if (frame->parent_identifier() == frame_->GetIdentifier() && load)
      load->Abort(error);
  }
  Fail(error);
}

void FrameLoad::Fail(cef_errorcode_t error) {
  state_ = State::kEnded;
  LoadErrorMessage message;
  message.browser_id = frame_->browser()->GetIdentifier();
  message.frame_id = frame_->GetIdentifier();
  message.parent_frame_id = frame_->parent_identifier();
  message.navigation_id = navigation_id_;
  message.error_code = error;
  message.error_text = cefsim::ToU16String(CefString(NetErrorName(error)));
  message.failed_url = url_;
  SendToBrowser(kFrameLoadError, Encode(message));
  NotifyParent();
}

void FrameLoad::NotifyParent() {
  if (std::shared_ptr<FrameLoad> parent = parent_.lock())
    parent->OnChildEnded();
}

}  // namespace cefsim
