// What tests and the demo see of browsers, frames, pages and context menus.
// Included by cefsim_inspect.h; the product's code never includes either.
#ifndef CEFSIM_INSPECT_CEFSIM_INSPECT_BROWSERS_H_
#define CEFSIM_INSPECT_CEFSIM_INSPECT_BROWSERS_H_

#include <string>
#include <utility>
#include <vector>

#include "include/cef_base.h"

namespace cefsim_inspect {

struct FrameRecord {
  int64 id = 0;
  int64 parent_id = 0;  // 0 for the main frame.
  bool is_main = false;
  std::string name;
  std::string url;
};

struct BrowserRecord {
  int id = 0;
  CefWindowInfo window_info;  // As the browser was created with it.
  CefBrowserSettings settings;
  CefWindowHandle window = nullptr;
  bool is_devtools = false;
  int inspected_browser_id = 0;  // For a developer-tools browser.
  CefPoint inspect_element_at;
  int render_process_pid = -1;  // -1 while it has none.
  bool closed = false;
  bool loading = false;
  bool can_go_back = false;
  bool can_go_forward = false;
  std::vector<FrameRecord> frames;  // Main frame first.
};

// Every browser made since CefInitialize, in order of creation.
std::vector<BrowserRecord> Browsers();

// Waits, without pumping anything, until the browser's navigation has
// finished and its client has heard so. False on timeout or for an unknown
// browser.
bool WaitLoaded(int browser_id, int timeout_ms);

struct ConsoleRecord {
  int browser_id = 0;
  std::string frame_url;
  std::string message;
  std::string source;
  int line = 0;
};

// All console output of every page, in order.
std::vector<ConsoleRecord> ConsoleMessages();

}  // namespace cefsim_inspect

#endif  // CEFSIM_INSPECT_CEFSIM_INSPECT_BROWSERS_H_
