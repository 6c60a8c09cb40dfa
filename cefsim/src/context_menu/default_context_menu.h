// CEF's own part of a context menu: the entries it starts with for what the
// menu was opened over, and what it does for a command the client leaves to
// it.
#ifndef CEFSIM_SRC_CONTEXT_MENU_DEFAULT_CONTEXT_MENU_H_
#define CEFSIM_SRC_CONTEXT_MENU_DEFAULT_CONTEXT_MENU_H_

#include "cefsim/src/context_menu/context_menu_params_impl.h"
#include "include/cef_browser.h"
#include "include/cef_menu_model.h"

namespace cefsim {

// Editable content gets the editing commands, enabled as |data|'s edit
// flags allow; else a selection gets Copy; else a page or frame gets the
// navigation entries, Back and Forward enabled as |browser| can go.
void AddDefaultEntries(const ContextMenuData& data,
                       CefRefPtr<CefBrowser> browser,
                       CefRefPtr<CefMenuModel> model);

// Commands outside CEF's own ids do nothing.
void RunDefaultCommand(CefRefPtr<CefBrowser> browser, int command_id);

}  // namespace cefsim

#endif  // CEFSIM_SRC_CONTEXT_MENU_DEFAULT_CONTEXT_MENU_H_
