// How a render process's report reaches the browser it names: decoded where
// it was read, then handed over on the UI thread. A report that does not
// decode ends the process, as Chromium ends a renderer that sends a bad
// message.
#ifndef CEFSIM_SRC_BROWSER_REPORT_POSTING_H_
#define CEFSIM_SRC_BROWSER_REPORT_POSTING_H_

#include <memory>
#include <string>

#include "cefsim/src/browser/browser_registry.h"
#include "cefsim/src/process/render_process_host.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {

// Decodes |payload| as M and runs |deliver| with the addressed browser on
// the UI thread.
template <class M, class Deliver>
void PostReport(const std::shared_ptr<RenderProcessHost>& host,
                const std::string& payload, Deliver deliver) {
  M report;
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

}  // namespace cefsim

#endif  // CEFSIM_SRC_BROWSER_REPORT_POSTING_H_
