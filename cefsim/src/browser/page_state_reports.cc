// What a page changes of its browser without a load: a window.close() that
// Blink let through, and a navigation within the document.
#include "cefsim/src/browser/report_posting.h"
#include "cefsim/src/ipc/frame_kinds.h"
#include "cefsim/src/ipc/page_messages.h"
#include "cefsim/src/process/frame_handlers.h"

namespace cefsim {
namespace {

using HostPtr = std::shared_ptr<RenderProcessHost>;

void OnCloseRequest(const HostPtr& host, const std::string& payload) {
  PostReport<CloseRequestMessage>(
      host, payload,
      [](CefRefPtr<BrowserHostImpl> browser, const RenderProcessHost* from,
         const CloseRequestMessage&) { browser->OnCloseRequestReport(from); });
}

void OnSameDocumentNavigation(const HostPtr& host,
                              const std::string& payload) {
  PostReport<SameDocumentNavigationMessage>(
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
