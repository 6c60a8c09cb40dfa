// What a browser's render process reports, taken in on the IO thread and
// handed to the browser on the UI thread. A report that does not
// decode marks the process as broken, and it is ended, as Chromium ends a
// renderer that sends a bad message.
#include "cefsim/src/browser/browser_registry.h"
#include "cefsim/src/browser/report_posting.h"
#include "cefsim/src/browser/resource_server.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/ipc/process_message_impl.h"
#include "cefsim/src/loader/resource_loader.h"
#include "cefsim/src/placeholder/placeholders.h"
#include "cefsim/src/process/frame_handlers.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/strings/u16_text.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

using HostPtr = std::shared_ptr<RenderProcessHost>;

void OnLoadStart(const HostPtr& host, const std::string& payload) {
  PostReport<LoadStartMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const LoadStartMessage& report) {
        browser->OnLoadStartReport(from, report);
      });
}

void OnLoadEnd(const HostPtr& host, const std::string& payload) {
  PostReport<LoadEndMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const LoadEndMessage& report) {
        browser->OnLoadEndReport(from, report);
      });
}

void OnLoadError(const HostPtr& host, const std::string& payload) {
  PostReport<LoadErrorMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const LoadErrorMessage& report) {
        browser->OnLoadErrorReport(from, report);
      });
}

void OnNavigationRequest(const HostPtr& host, const std::string& payload) {
  PostReport<NavigationRequestMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const NavigationRequestMessage& request) {
        if (!browser->FromCurrentProcess(from))
          return;
        browser->RequestNavigation(
            request.frame_id,
            static_cast<NavigationRequestMessage::Action>(request.action),
            cefsim::FromU16String(request.url));
      });
}

void OnProcessMessage(const HostPtr& host, const std::string& payload) {
  int browser_id = 0;
  CefRefPtr<CefProcessMessage> message =
      DecodeProcessMessage(payload, &browser_id);
  if (!message) {
    host->Kill();
    return;
  }
  const RenderProcessHost* from = host.get();
  PostToNamedThread(TID_UI, [from, browser_id, message]() {
    if (CefRefPtr<BrowserHostImpl> browser = FindBrowser(browser_id))
      browser->OnProcessMessageReport(from, message);
  });
}

void OnConsoleMessage(const HostPtr& host, const std::string& payload) {
  PostReport<ConsoleMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const ConsoleMessage& message) {
        browser->OnConsoleMessageReport(from, message);
      });
}

void OnPageTitle(const HostPtr& host, const std::string& payload) {
  PostReport<PageTitleMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const PageTitleMessage& report) {
        if (browser->FromCurrentProcess(from))
          ShowPlaceholderTitle(report.browser_id, report.title);
      });
}

void OnResourceRequest(const HostPtr& host, const std::string& payload) {
  ResourceRequestMessage request;
  if (!Decode(payload, &request)) {
    host->Kill();
    return;
  }
  CefRefPtr<BrowserHostImpl> browser = FindBrowser(request.browser_id);
  if (!browser || !browser->FromCurrentProcess(host.get()))
    return;
  std::weak_ptr<RenderProcessHost> weak = host;
  ServeResource(
      browser, host->id(), request,
      [weak](uint32_t kind, std::string payload) {
        if (HostPtr process = weak.lock())
          process->Send(kind, payload);
      },
      [weak](const ResourceResponseMessage& response) {
        if (HostPtr process = weak.lock())
          process->Send(kFrameResourceResponse, Encode(response));
      });
}

void OnResourceDataAck(const HostPtr& host, const std::string& payload) {
  ResourceDataAckMessage ack;
  if (!Decode(payload, &ack)) {
    host->Kill();
    return;
  }
  BodyPieceTakenIn(host->id(), ack.request_id);
}

const bool registered = [] {
  SetBrowserFrameHandler(kFrameLoadStart, OnLoadStart);
  SetBrowserFrameHandler(kFrameLoadEnd, OnLoadEnd);
  SetBrowserFrameHandler(kFrameLoadError, OnLoadError);
  SetBrowserFrameHandler(kFrameNavigationRequest, OnNavigationRequest);
  SetBrowserFrameHandler(kFrameProcessMessage, OnProcessMessage);
  SetBrowserFrameHandler(kFrameConsoleMessage, OnConsoleMessage);
  SetBrowserFrameHandler(kFramePageTitle, OnPageTitle);
  SetBrowserFrameHandler(kFrameResourceRequest, OnResourceRequest);
  SetBrowserFrameHandler(kFrameResourceDataAck, OnResourceDataAck);
  return true;
}();

}  // namespace
}  // namespace cefsim
