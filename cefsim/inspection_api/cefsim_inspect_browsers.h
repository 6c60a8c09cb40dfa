// What tests and the demo see of browsers, frames, pages and context menus.
// Included by cefsim_inspect.h; the product's code never includes either.
#ifndef CEFSIM_INSPECTION_API_CEFSIM_INSPECT_BROWSERS_H_
#define CEFSIM_INSPECTION_API_CEFSIM_INSPECT_BROWSERS_H_

#include <future>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "include/cef_base.h"
#include "include/cef_browser.h"
#include "include/cef_values.h"
#include "cefsim/inspection_api/cefsim_inspect_recording_client.h"

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

// How many navigations have been asked of the browser so far (by its
// creation, LoadURL, Reload, ...); 0 for an unknown browser.
int RequestedNavigations(int browser_id);

// Waits, without pumping anything, until the first |navigations|
// navigations asked of the browser have been taken up and its client has
// heard loading end (or the browser has closed). False on timeout or for an
// unknown browser.
bool WaitLoaded(int browser_id, int timeout_ms, int navigations);
// The same for every navigation asked for before the call.
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

// What the stand-in last painted in a browser's window in place of its
// page (heading first, UTF-8) and how many times it painted there.
struct PlaceholderRecord {
  std::vector<std::string> lines;
  int paints = 0;
};
// Nothing for a browser whose window has no placeholder (any more).
std::optional<PlaceholderRecord> Placeholder(int browser_id);
// False when the stand-in was built without its placeholder painter
// (ZUBRIX_CEFSIM_PLACEHOLDER off): no window has a placeholder then.
bool PlaceholderBuilt();

// What a context menu is opened over. The type flags pick CEF's default
// entries and are what the handler's params report.
struct ContextMenuRequest {
  int type_flags = CM_TYPEFLAG_PAGE;
  int x = 0;
  int y = 0;
  int edit_flags = CM_EDITFLAG_NONE;  // For CM_TYPEFLAG_EDITABLE.
  std::string selection_text;
  std::string link_url;
  std::string source_url;  // For CM_TYPEFLAG_MEDIA: an image's.
};

struct MenuEntry {
  int command_id = -1;  // -1 for a separator.
  std::string label;
  bool is_separator = false;
  bool visible = true;
  bool enabled = true;
};

// Opens a context menu in the browser, on CEF's UI thread, as a right click
// would. The entries are the model as the client's OnBeforeContextMenu left
// it; none for an unknown or closed browser.
std::future<std::optional<std::vector<MenuEntry>>> OpenContextMenu(
    int browser_id, const ContextMenuRequest& request);

// Picks an entry of the menu open in the browser, as the user would; false
// when no menu the stand-in shows is open there or the entry cannot be
// picked (absent, hidden or disabled).
std::future<bool> ChooseContextMenuEntry(int browser_id, int command_id);

// Creates a browser, on CEF's UI thread, with a RecordingClient of the
// stand-in's own, which leaves every decision to CEF. The browser's
// identifier, or 0 when CEF made none.
std::future<int> CreateRecordedBrowser(const CefWindowInfo& window_info,
                                       const std::string& url);
// What that client was told of a browser made so, in order.
std::vector<ClientEvent> ClientEvents(int browser_id);

// Closes a browser as an embedder does: its window is destroyed on CEF's UI
// thread, and CEF reports it closed without asking the client. (The client's
// CloseBrowser asks the host's top-level window to close, which a Qt window
// only hides.)
void DestroyBrowserWindow(int browser_id);

// The browser with this identifier, for driving it through CEF's own API;
// null once it has closed, or for an unknown one.
CefRefPtr<CefBrowser> BrowserById(int browser_id);

}  // namespace cefsim_inspect

#endif  // CEFSIM_INSPECTION_API_CEFSIM_INSPECT_BROWSERS_H_
