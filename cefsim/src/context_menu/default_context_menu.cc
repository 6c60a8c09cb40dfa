#include "cefsim/src/context_menu/default_context_menu.h"

#include <map>

namespace cefsim {
namespace {

// Chromium's labels, mnemonics included, as CEF puts them in the model.
constexpr char kBack[] = "&Back";
constexpr char kForward[] = "&Forward";
constexpr char kPrint[] = "&Print...";
constexpr char kViewSource[] = "View page &source";
constexpr char kUndo[] = "&Undo";
constexpr char kRedo[] = "&Redo";
constexpr char kCut[] = "Cu&t";
constexpr char kCopy[] = "&Copy";
constexpr char kPaste[] = "&Paste";
constexpr char kDelete[] = "&Delete";
constexpr char kSelectAll[] = "Select &all";

void AddEditingEntries(cef_context_menu_edit_state_flags_t flags,
                       CefRefPtr<CefMenuModel> model) {
  struct Entry {
    int command_id;
    const char* label;
    int needs;  // The edit flag that enables it.
    bool separator_before;
  };
  static const Entry kEntries[] = {
      {MENU_ID_UNDO, kUndo, CM_EDITFLAG_CAN_UNDO, false},
      {MENU_ID_REDO, kRedo, CM_EDITFLAG_CAN_REDO, false},
      {MENU_ID_CUT, kCut, CM_EDITFLAG_CAN_CUT, true},
      {MENU_ID_COPY, kCopy, CM_EDITFLAG_CAN_COPY, false},
      {MENU_ID_PASTE, kPaste, CM_EDITFLAG_CAN_PASTE, false},
      {MENU_ID_DELETE, kDelete, CM_EDITFLAG_CAN_DELETE, false},
      {MENU_ID_SELECT_ALL, kSelectAll, CM_EDITFLAG_CAN_SELECT_ALL, true},
  };
  for (const Entry& entry : kEntries) {
    if (entry.separator_before)
      model->AddSeparator();
    model->AddItem(entry.command_id, entry.label);
    model->SetEnabled(entry.command_id, (flags & entry.needs) != 0);
  }
}

}  // namespace

void AddDefaultEntries(const ContextMenuData& data,
                       CefRefPtr<CefBrowser> browser,
                       CefRefPtr<CefMenuModel> model) {
  if (data.type_flags & CM_TYPEFLAG_EDITABLE) {
    AddEditingEntries(data.edit_flags, model);
  } else if (data.type_flags & CM_TYPEFLAG_SELECTION) {
    model->AddItem(MENU_ID_COPY, kCopy);
  } else if (data.type_flags & (CM_TYPEFLAG_PAGE | CM_TYPEFLAG_FRAME)) {
    model->AddItem(MENU_ID_BACK, kBack);
    model->AddItem(MENU_ID_FORWARD, kForward);
    model->AddSeparator();
    model->AddItem(MENU_ID_PRINT, kPrint);
    model->AddItem(MENU_ID_VIEW_SOURCE, kViewSource);
    model->SetEnabled(MENU_ID_BACK, browser->CanGoBack());
    model->SetEnabled(MENU_ID_FORWARD, browser->CanGoForward());
  }
}

void RunDefaultCommand(CefRefPtr<CefBrowser> browser, int command_id) {
  using BrowserCommand = void (CefBrowser::*)();
  using FrameCommand = void (CefFrame::*)();
  static const std::map<int, BrowserCommand> kBrowserCommands = {
      {MENU_ID_BACK, &CefBrowser::GoBack},
      {MENU_ID_FORWARD, &CefBrowser::GoForward},
      {MENU_ID_RELOAD, &CefBrowser::Reload},
      {MENU_ID_RELOAD_NOCACHE, &CefBrowser::ReloadIgnoreCache},
      {MENU_ID_STOPLOAD, &CefBrowser::StopLoad},
  };
  static const std::map<int, FrameCommand> kFrameCommands = {
      {MENU_ID_UNDO, &CefFrame::Undo},
      {MENU_ID_REDO, &CefFrame::Redo},
      {MENU_ID_CUT, &CefFrame::Cut},
      {MENU_ID_COPY, &CefFrame::Copy},
      {MENU_ID_PASTE, &CefFrame::Paste},
      {MENU_ID_DELETE, &CefFrame::Delete},
      {MENU_ID_SELECT_ALL, &CefFrame::SelectAll},
      {MENU_ID_VIEW_SOURCE, &CefFrame::ViewSource},
  };
  auto browser_command = kBrowserCommands.find(command_id);
  if (browser_command != kBrowserCommands.end()) {
    (browser.get()->*browser_command->second)();
    return;
  }
  auto frame_command = kFrameCommands.find(command_id);
  CefRefPtr<CefFrame> frame = browser->GetFocusedFrame();
  if (frame_command != kFrameCommands.end() && frame) {
    (frame.get()->*frame_command->second)();
    return;
  }
  if (command_id == MENU_ID_PRINT)
    browser->GetHost()->Print();
}

}  // namespace cefsim
