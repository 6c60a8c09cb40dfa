#include "cefsim/src/render/frame_scripts.h"

#include "include/cef_render_process_handler.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/render/render_browser_impl.h"
#include "cefsim/src/render/render_frame_impl.h"
#include "cefsim/src/render/url_resolution.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {

FrameScripts::FrameScripts(RenderFrameImpl* frame) : frame_(frame) {}

void FrameScripts::StartDocument(const CefString& title) {
  Release();
  Create(title);
  ReportTitle(title);
}

CefRefPtr<CefV8Context> FrameScripts::Context() {
  if (!script_)
    Create(CefString());
  return script_ ? script_->context() : nullptr;
}

void FrameScripts::Run(const CefString& code, const CefString& script_url,
                       int start_line) {
  if (!script_)
    Create(CefString());
  if (script_)
    script_->RunScript(code, script_url, start_line);
}

void FrameScripts::Create(const CefString& title) {
  if (creating_)
    return;
  CefRefPtr<CefBrowser> browser = frame_->browser();
  creating_ = true;
  auto script = std::make_unique<ScriptContext>(browser, frame_, this);
  creating_ = false;
  script->SetDocumentTitle(title);
  script_ = std::move(script);
  if (CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler())
    handler->OnContextCreated(browser, frame_, script_->context());
}

void FrameScripts::Release() {
  if (!script_)
    return;
  if (CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler())
    handler->OnContextReleased(frame_->browser(), frame_, script_->context());
  script_.reset();
}

void FrameScripts::AddConsoleMessage(const CefString& message,
                                     const CefString& source, int line) {
  ConsoleMessage report;
  report.browser_id = frame_->browser()->GetIdentifier();
  report.frame_id = frame_->GetIdentifier();
  report.line = line;
  report.frame_url = cefsim::ToU16String(frame_->GetURL());
  report.message = cefsim::ToU16String(message);
  report.source = cefsim::ToU16String(source);
  RenderProcessChannel()->Send(kFrameConsoleMessage, Encode(report));
}

void FrameScripts::PostDelayedTask(std::function<void()> task,
                                   int64_t delay_ms) {
  PostToNamedThread(TID_RENDERER, std::move(task), delay_ms);
}

CefString FrameScripts::GetUrl() { return frame_->GetURL(); }

void FrameScripts::OnTitleChange(const CefString& title) { ReportTitle(title); }

void FrameScripts::ReportTitle(const CefString& title) {
  if (!frame_->IsMain())
    return;
  PageTitleMessage report;
  report.browser_id = frame_->browser()->GetIdentifier();
  report.title = title.ToString();
  RenderProcessChannel()->Send(kFramePageTitle, Encode(report));
}

void FrameScripts::Navigate(const CefString& url) {
  std::string resolved = ResolveUrl(frame_->GetURL().ToString(), url.ToString());
  CefString target = resolved.empty() ? url : CefString(resolved);
  // The page sees its new URL at once; the browser hears of it after.
  if (!frame_->NavigateWithinDocument(target, 0))
    frame_->LoadURL(target);
}

// Blink lets a script close only the window of a main frame; whether the
// browser's history allows it is the browser process's to judge.
void FrameScripts::CloseWindow() {
  if (!frame_->IsMain())
    return;
  CloseRequestMessage request;
  request.browser_id = frame_->browser()->GetIdentifier();
  RenderProcessChannel()->Send(kFrameCloseRequest, Encode(request));
}

}  // namespace cefsim
