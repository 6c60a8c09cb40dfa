// What the browser process asks of its browsers' pages, read on the
// channel's reader thread and carried out on the render thread.
#include "include/cef_render_process_handler.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/ipc/process_message_impl.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/render_process_main.h"
#include "cefsim/src/render/frame_load.h"
#include "cefsim/src/render/render_browser_impl.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

// The browser process is trusted; a request that does not decode is
// dropped.
template <class M, class Run>
void OnRequest(const std::string& payload, Run run) {
  M request;
  if (!Decode(payload, &request))
    return;
  PostToNamedThread(TID_RENDERER, [request, run]() {
    if (CefRefPtr<RenderBrowserImpl> browser =
            FindRenderBrowser(request.browser_id))
      run(browser, request);
  });
}

void OnCreateBrowser(const std::string& payload) {
  CreateBrowserMessage request;
  if (!Decode(payload, &request))
    return;
  PostToNamedThread(TID_RENDERER, [request]() {
    CefRefPtr<RenderBrowserImpl> browser = new RenderBrowserImpl(
        request.browser_id, request.main_frame_id, request.is_devtools,
        request.default_encoding);
    AddRenderBrowser(browser);
    if (CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler())
      handler->OnBrowserCreated(browser.get());
  });
}

void OnNavigate(const std::string& payload) {
  OnRequest<NavigateMessage>(
      payload, [](CefRefPtr<RenderBrowserImpl> browser,
                  const NavigateMessage& request) {
        if (CefRefPtr<RenderFrameImpl> frame = browser->FindFrame(request.frame_id))
          frame->StartLoad(cefsim::FromU16String(request.url),
                           request.navigation_id, request.transition_type, {});
      });
}

void OnExecuteJavaScript(const std::string& payload) {
  OnRequest<ExecuteJavaScriptMessage>(
      payload, [](CefRefPtr<RenderBrowserImpl> browser,
                  const ExecuteJavaScriptMessage& request) {
        if (CefRefPtr<RenderFrameImpl> frame = browser->FindFrame(request.frame_id))
          frame->ExecuteJavaScript(cefsim::FromU16String(request.code),
                                   cefsim::FromU16String(request.script_url),
                                   request.start_line);
      });
}

void OnStopLoad(const std::string& payload) {
  OnRequest<StopLoadMessage>(
      payload,
      [](CefRefPtr<RenderBrowserImpl> browser, const StopLoadMessage&) {
        for (const auto& frame : browser->Frames()) {
          if (std::shared_ptr<FrameLoad> load = frame->current_load())
            load->Abort(ERR_ABORTED);
        }
      });
}

void OnProcessMessage(const std::string& payload) {
  int browser_id = 0;
  CefRefPtr<CefProcessMessage> message =
      DecodeProcessMessage(payload, &browser_id);
  if (!message)
    return;
  PostToNamedThread(TID_RENDERER, [browser_id, message]() {
    CefRefPtr<RenderBrowserImpl> browser = FindRenderBrowser(browser_id);
    CefRefPtr<CefRenderProcessHandler> handler = RenderProcessHandler();
    if (browser && handler)
      handler->OnProcessMessageReceived(browser.get(), PID_BROWSER, message);
  });
}

const bool registered = [] {
  SetRendererFrameHandler(kFrameCreateBrowser, OnCreateBrowser);
  SetRendererFrameHandler(kFrameNavigate, OnNavigate);
  SetRendererFrameHandler(kFrameExecuteJavaScript, OnExecuteJavaScript);
  SetRendererFrameHandler(kFrameStopLoad, OnStopLoad);
  SetRendererFrameHandler(kFrameProcessMessage, OnProcessMessage);
  return true;
}();

}  // namespace
}  // namespace cefsim
