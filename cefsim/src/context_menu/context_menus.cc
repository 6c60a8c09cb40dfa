#include "cefsim/src/context_menu/context_menus.h"

#include <atomic>
#include <map>

#include "cefsim/src/context_menu/default_context_menu.h"
#include "include/cef_client.h"
#include "cefsim/src/threads/named_threads.h"

namespace cefsim {
namespace {

struct OpenMenu {
  CefRefPtr<CefBrowser> browser;
  ContextMenuData data;
  CefRefPtr<CefMenuModelImpl> model;
  // Tells this menu from a later one in the same browser.
  int serial;
  bool run_by_client;
};

// UI thread.
std::map<int, OpenMenu>& OpenMenus() {
  static auto* menus = new std::map<int, OpenMenu>();
  return *menus;
}

int last_serial = 0;  // UI thread.

CefRefPtr<CefContextMenuHandler> HandlerOf(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefClient> client = browser->GetHost()->GetClient();
  return client ? client->GetContextMenuHandler() : nullptr;
}

// The menu |serial| of the browser, if it is still open.
OpenMenu* Find(int browser_id, int serial) {
  auto it = OpenMenus().find(browser_id);
  return it != OpenMenus().end() && it->second.serial == serial ? &it->second
                                                                : nullptr;
}

void Dismiss(int browser_id, int serial) {
  OpenMenu* found = Find(browser_id, serial);
  if (!found)
    return;
  CefRefPtr<CefBrowser> browser = found->browser;
  OpenMenus().erase(browser_id);
  if (CefRefPtr<CefContextMenuHandler> handler = HandlerOf(browser))
    handler->OnContextMenuDismissed(browser, browser->GetFocusedFrame());
}

void Execute(int browser_id, int serial, int command_id,
             cef_event_flags_t event_flags) {
  OpenMenu* found = Find(browser_id, serial);
  if (!found)
    return;
  // Copied: the handler may open another menu.
  OpenMenu menu = *found;
  bool handled = false;
  if (CefRefPtr<CefContextMenuHandler> handler = HandlerOf(menu.browser)) {
    CefRefPtr<CefContextMenuParamsImpl> params =
        new CefContextMenuParamsImpl(menu.data);
    handled = handler->OnContextMenuCommand(
        menu.browser, menu.browser->GetFocusedFrame(), params.get(),
        command_id, event_flags);
    params->Detach();
  }
  if (!handled)
    RunDefaultCommand(menu.browser, command_id);
  Dismiss(browser_id, serial);
}

// The client's way back from a menu it runs itself: the first call counts,
// from any thread; it is carried out on the UI thread.
class RunContextMenuCallbackImpl : public CefRunContextMenuCallback {
 public:
  RunContextMenuCallbackImpl(int browser_id, int serial)
      : browser_id_(browser_id), serial_(serial) {}
  // A callback the client lets go unanswered cancels the menu.
  ~RunContextMenuCallbackImpl() override {
    if (!used_) {
      int browser_id = browser_id_, serial = serial_;
      PostToNamedThread(TID_UI,
                        [browser_id, serial]() { Dismiss(browser_id, serial); });
    }
  }

  // The handler declined to run the menu; the callback does nothing now.
  void Disconnect() { used_ = true; }

  void Continue(int command_id, EventFlags event_flags) override {
    if (used_.exchange(true))
      return;
    int browser_id = browser_id_, serial = serial_;
    OnUi([browser_id, serial, command_id, event_flags]() {
      if (command_id == -1)
        Dismiss(browser_id, serial);
      else
        Execute(browser_id, serial, command_id, event_flags);
    });
  }

  void Cancel() override {
    if (used_.exchange(true))
      return;
    int browser_id = browser_id_, serial = serial_;
    OnUi([browser_id, serial]() { Dismiss(browser_id, serial); });
  }

 private:
  static void OnUi(std::function<void()> task) {
    if (CurrentlyOnNamedThread(TID_UI))
      task();
    else
      PostToNamedThread(TID_UI, std::move(task));
  }

  const int browser_id_;
  const int serial_;
  std::atomic<bool> used_{false};

  IMPLEMENT_REFCOUNTING(RunContextMenuCallbackImpl);
};

}  // namespace

CefRefPtr<CefMenuModelImpl> OpenContextMenu(CefRefPtr<CefBrowser> browser,
                                            const ContextMenuData& data) {
  const int id = browser->GetIdentifier();
  DismissContextMenu(id);
  CefRefPtr<CefMenuModelImpl> model = new CefMenuModelImpl();
  AddDefaultEntries(data, browser, model.get());
  const int serial = ++last_serial;
  OpenMenus()[id] = OpenMenu{browser, data, model, serial, false};

  if (CefRefPtr<CefContextMenuHandler> handler = HandlerOf(browser)) {
    CefRefPtr<CefFrame> frame = browser->GetFocusedFrame();
    CefRefPtr<CefContextMenuParamsImpl> params =
        new CefContextMenuParamsImpl(data);
    handler->OnBeforeContextMenu(browser, frame, params.get(), model.get());
    if (model->GetCount() > 0 && Find(id, serial)) {
      CefRefPtr<RunContextMenuCallbackImpl> callback =
          new RunContextMenuCallbackImpl(id, serial);
      // Marked first: the handler may answer before it returns.
      Find(id, serial)->run_by_client = true;
      if (!handler->RunContextMenu(browser, frame, params.get(), model.get(),
                                   callback.get())) {
        callback->Disconnect();
        if (OpenMenu* menu = Find(id, serial))
          menu->run_by_client = false;
      }
    }
    params->Detach();
  }
  if (model->GetCount() == 0)
    Dismiss(id, serial);
  return model;
}

bool ChooseContextMenuCommand(int browser_id, int command_id) {
  auto it = OpenMenus().find(browser_id);
  if (it == OpenMenus().end() || it->second.run_by_client)
    return false;
  CefRefPtr<CefMenuModelImpl> model = it->second.model;
  int index = model->GetIndexOf(command_id);
  if (index < 0 || !model->IsVisibleAt(index) || !model->IsEnabledAt(index))
    return false;
  Execute(browser_id, it->second.serial, command_id, EVENTFLAG_NONE);
  return true;
}

void DismissContextMenu(int browser_id) {
  auto it = OpenMenus().find(browser_id);
  if (it != OpenMenus().end())
    Dismiss(browser_id, it->second.serial);
}

}  // namespace cefsim
