// What a page changes of its browser without a load: a window.close() that
// Blink let through, and a navigation within the document. Read on the
// channel's reader thread and handed to the browser on the UI thread.
#include "browser/browser_registry.h"
#include "ipc/frame_kinds.h"
#include "ipc/page_messages.h"
#include "process/frame_handlers.h"
#include "process/render_process_host.h"
#include "threads/named_threads.h"

namespace cefsim {
namespace {

using HostPtr = std::shared_ptr<RenderProcessHost>;

template <class M, class Handler>
void Deliver(const HostPtr& host, const std::string& payload,
             Handler deliver) {
  M report;
  // As Chromium ends a renderer that sends a bad message.
  if (!Decode(payload, &report)) {
    host->Kill();
    return;
  }
  const RenderProcessHost* from = host.get();
  PostToNamedThread(TID_UI, [from, report, deliver]() {
    if (CefRefPtr<BrowserHostImpl> browser = FindBrowser(report.browser_id))
      deliver(browser, from, report);
  });
}

void OnCloseRequest(const HostPtr& host, const std::string& payload) {
  Deliver<CloseRequestMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const CloseRequestMessage&) { browser->OnCloseRequestReport(from); });
}

void OnSameDocumentNavigation(const HostPtr& host,
                              const std::string& payload) {
  Deliver<SameDocumentNavigationMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const SameDocumentNavigationMessage& report) {
        browser->OnSameDocumentNavigationReport(from, report);
      });
}

const bool registered = [] {
  SetBrowserFrameHandler(kFrameCloseRequest, OnCloseRequest);
  SetBrowserFrameHandler(kFrameSameDocumentNavigation,
                         OnSameDocumentNavigation);
  return true;
}();

}  // namespace
}  // namespace cefsim
