// What tests see of the open browsers, read from the browser registry.
#include "cefsim/src/browser/browser_registry.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/src/placeholder/placeholders.h"

namespace cefsim_inspect {

std::vector<BrowserRecord> Browsers() {
  std::vector<BrowserRecord> records;
  for (const auto& browser : cefsim::AllBrowsers()) {
    const cefsim::BrowserCreateParams& params = browser->params();
    BrowserRecord record;
    record.id = browser->GetIdentifier();
    record.window_info = params.window_info;
    record.settings = params.settings;
    record.window = browser->GetWindowHandle();
    record.is_devtools = browser->is_devtools();
    record.inspected_browser_id = params.inspected_browser_id;
    record.inspect_element_at = params.inspect_element_at;
    record.render_process_pid = browser->render_process_pid();
    record.closed = browser->closed();
    record.loading = browser->IsLoading();
    record.can_go_back = browser->CanGoBack();
    record.can_go_forward = browser->CanGoForward();
    for (const auto& frame : browser->Frames()) {
      FrameRecord f;
      f.id = frame->GetIdentifier();
      f.parent_id = frame->parent_identifier();
      f.is_main = frame->IsMain();
      f.name = frame->GetName().ToString();
      f.url = frame->GetURL().ToString();
      record.frames.push_back(f);
    }
    records.push_back(record);
  }
  return records;
}

CefRefPtr<CefBrowser> BrowserById(int browser_id) {
  CefRefPtr<cefsim::BrowserHostImpl> browser = cefsim::FindBrowser(browser_id);
  return browser && !browser->closed() ? browser.get() : nullptr;
}

std::optional<PlaceholderRecord> Placeholder(int browser_id) {
  std::optional<cefsim::PlaceholderBoard::Painted> painted =
      cefsim::PaintedPlaceholder(browser_id);
  if (!painted)
    return std::nullopt;
  return PlaceholderRecord{painted->lines, painted->paints};
}

bool PlaceholderBuilt() {
  return CEFSIM_PLACEHOLDER_BUILT;
}

int RequestedNavigations(int browser_id) {
  CefRefPtr<cefsim::BrowserHostImpl> browser = cefsim::FindBrowser(browser_id);
  return browser ? browser->requested_navigations() : 0;
}

bool WaitLoaded(int browser_id, int timeout_ms, int navigations) {
  CefRefPtr<cefsim::BrowserHostImpl> browser = cefsim::FindBrowser(browser_id);
  return browser &&
         browser->WaitUntilLoaded(navigations,
                                  std::chrono::milliseconds(timeout_ms));
}

bool WaitLoaded(int browser_id, int timeout_ms) {
  return WaitLoaded(browser_id, timeout_ms, RequestedNavigations(browser_id));
}

}  // namespace cefsim_inspect
