#include <functional>
#include <memory>

#include "cefsim/src/browser/browser_registry.h"
#include "cefsim/src/context_menu/context_menus.h"
#include "cefsim/inspection_api/cefsim_inspect.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim_inspect {
namespace {

// Runs |task| on the UI thread; |fallback| when it cannot run there.
template <class T>
std::future<T> OnUi(std::function<T()> task, T fallback) {
  auto promise = std::make_shared<std::promise<T>>();
  std::future<T> result = promise->get_future();
  if (cefsim::CurrentlyOnNamedThread(TID_UI)) {
    promise->set_value(task());
  } else if (!cefsim::PostToNamedThread(
                 TID_UI, [promise, task]() { promise->set_value(task()); })) {
    promise->set_value(fallback);
  }
  return result;
}

cefsim::ContextMenuData DataFor(CefRefPtr<cefsim::BrowserHostImpl> browser,
                                const ContextMenuRequest& request) {
  cefsim::ContextMenuData data;
  data.x = request.x;
  data.y = request.y;
  data.type_flags =
      static_cast<cef_context_menu_type_flags_t>(request.type_flags);
  data.edit_flags =
      static_cast<cef_context_menu_edit_state_flags_t>(request.edit_flags);
  data.selection_text = request.selection_text;
  data.link_url = request.link_url;
  data.source_url = request.source_url;
  if (request.type_flags & CM_TYPEFLAG_MEDIA)
    data.media_type = CM_MEDIATYPE_IMAGE;
  std::vector<CefRefPtr<cefsim::FrameHostImpl>> frames = browser->Frames();
  if (!frames.empty())
    data.page_url = frames.front()->GetURL().ToString();
  // Opened over a sub-frame: the first one, if the page has any.
  if (request.type_flags & CM_TYPEFLAG_FRAME)
    data.frame_url = frames.size() > 1 ? frames[1]->GetURL().ToString()
                                       : data.page_url;
  return data;
}

std::vector<MenuEntry> EntriesOf(CefRefPtr<cefsim::CefMenuModelImpl> model) {
  std::vector<MenuEntry> entries;
  for (const auto& item : model->items()) {
    MenuEntry entry;
    entry.is_separator = item.type == MENUITEMTYPE_SEPARATOR;
    entry.command_id = item.command_id;
    entry.label = item.label.ToString();
    entry.visible = item.visible;
    entry.enabled = item.enabled;
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace

std::future<std::optional<std::vector<MenuEntry>>> OpenContextMenu(
    int browser_id, const ContextMenuRequest& request) {
  using Result = std::optional<std::vector<MenuEntry>>;
  return OnUi<Result>(
      [browser_id, request]() -> Result {
        CefRefPtr<cefsim::BrowserHostImpl> browser =
            cefsim::FindBrowser(browser_id);
        if (!browser || browser->closed())
          return std::nullopt;
        return EntriesOf(cefsim::OpenContextMenu(browser.get(),
                                                 DataFor(browser, request)));
      },
      std::nullopt);
}

std::future<bool> ChooseContextMenuEntry(int browser_id, int command_id) {
  return OnUi<bool>(
      [browser_id, command_id]() {
        return cefsim::ChooseContextMenuCommand(browser_id, command_id);
      },
      false);
}

}  // namespace cefsim_inspect
