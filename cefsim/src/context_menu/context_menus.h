// The context menus open in browsers, from opening to the chosen command or
// dismissal, as CEF's menu manager runs them. UI thread only: it owns the
// open menus.
#ifndef CEFSIM_SRC_CONTEXT_MENU_CONTEXT_MENUS_H_
#define CEFSIM_SRC_CONTEXT_MENU_CONTEXT_MENUS_H_

#include "cefsim/src/context_menu/context_menu_params_impl.h"
#include "cefsim/src/context_menu/menu_model_impl.h"
#include "include/cef_browser.h"

namespace cefsim {

// Opens a menu over what |data| describes, as a right click would: CEF's
// default entries, then the handler's OnBeforeContextMenu and
// RunContextMenu. A menu already open in the browser is dismissed first; a
// menu left empty is dismissed at once. Returns the model as the handler
// left it.
CefRefPtr<CefMenuModelImpl> OpenContextMenu(CefRefPtr<CefBrowser> browser,
                                            const ContextMenuData& data);

// The user picks |command_id| from the menu the stand-in shows for the
// browser: OnContextMenuCommand, CEF's default action unless that handled
// it, then OnContextMenuDismissed. False, and nothing happens, when no such
// menu is open (none, or the client runs it) or the command is not a
// visible, enabled entry of it.
bool ChooseContextMenuCommand(int browser_id, int command_id);

// The browser is closing: its open menu is dismissed.
void DismissContextMenu(int browser_id);

}  // namespace cefsim

#endif  // CEFSIM_SRC_CONTEXT_MENU_CONTEXT_MENUS_H_
