// Context menus: CEF's default entries for what the menu is opened over,
// the client's changes, the chosen command and CEF's default actions.
#include "browser_fixture.h"
#include "cefsim/src/context_menu/menu_model_impl.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace {

using cefsim_inspect::ChooseContextMenuEntry;
using cefsim_inspect::ContextMenuRequest;
using cefsim_inspect::MenuEntry;
using testing::ElementsAre;

// Entries as "id label", "-" for a separator, "(disabled)" appended.
std::vector<std::string> Describe(const std::vector<MenuEntry>& entries) {
  std::vector<std::string> lines;
  for (const MenuEntry& entry : entries) {
    if (entry.is_separator) {
      lines.push_back("-");
      continue;
    }
    lines.push_back(std::to_string(entry.command_id) + " " + entry.label +
                    (entry.enabled ? "" : " (disabled)"));
  }
  return lines;
}

std::vector<std::string> Open(CefRefPtr<CefBrowser> browser,
                              ContextMenuRequest request) {
  auto entries =
      cefsim_inspect::OpenContextMenu(browser->GetIdentifier(), request).get();
  return entries ? Describe(*entries) : std::vector<std::string>{"<none>"};
}

std::vector<std::string> Open(CefRefPtr<CefBrowser> browser, int type_flags) {
  ContextMenuRequest request;
  request.type_flags = type_flags;
  return Open(browser, request);
}

bool Choose(CefRefPtr<CefBrowser> browser, int command_id) {
  return ChooseContextMenuEntry(browser->GetIdentifier(), command_id).get();
}

TEST_F(BrowserTest, APageMenuOffersNavigationAndItsDefaultActionsNavigate) {
  std::string first = WriteFile("first.html", "1");
  std::string second = WriteFile("second.html", "2");
  CefRefPtr<CefBrowser> browser = Create(first);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_PAGE),
              ElementsAre("100 &Back (disabled)", "101 &Forward (disabled)",
                          "-", "131 &Print...", "132 View page &source"));
  // What cannot be chosen leaves the menu open and does nothing.
  EXPECT_FALSE(Choose(browser, MENU_ID_BACK));
  EXPECT_FALSE(Choose(browser, MENU_ID_RELOAD));
  EXPECT_TRUE(client_->Lines("menu_command").empty());

  browser->GetMainFrame()->LoadURL(second);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_PAGE | CM_TYPEFLAG_FRAME),
              ElementsAre("100 &Back", "101 &Forward (disabled)", "-",
                          "131 &Print...", "132 View page &source"));
  EXPECT_EQ(client_->Lines("menu_dismissed").size(), 1u);  // The first menu.
  ASSERT_TRUE(Choose(browser, MENU_ID_BACK));
  EXPECT_THAT(client_->Lines("menu_"),
              ElementsAre("menu_before 1", "menu_dismissed", "menu_before 3",
                          "menu_command 100", "menu_dismissed"));
  ASSERT_TRUE(client_->WaitForCount("load_end main " + first, 2));
  EXPECT_FALSE(Choose(browser, MENU_ID_BACK));  // The menu has closed.
}

TEST_F(BrowserTest, EditableSelectionAndOtherMenusStartWithCefsEntries) {
  CefRefPtr<CefBrowser> browser = Create("data:text/html,x");
  ASSERT_TRUE(WaitLoaded(browser));
  ContextMenuRequest editable;
  editable.type_flags = CM_TYPEFLAG_PAGE | CM_TYPEFLAG_EDITABLE |
                        CM_TYPEFLAG_SELECTION;
  editable.edit_flags = CM_EDITFLAG_CAN_PASTE | CM_EDITFLAG_CAN_SELECT_ALL;
  EXPECT_THAT(Open(browser, editable),
              ElementsAre("110 &Undo (disabled)", "111 &Redo (disabled)", "-",
                          "112 Cu&t (disabled)", "113 &Copy (disabled)",
                          "114 &Paste", "115 &Delete (disabled)", "-",
                          "116 Select &all"));
  EXPECT_TRUE(Choose(browser, MENU_ID_PASTE));
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_PAGE | CM_TYPEFLAG_SELECTION),
              ElementsAre("113 &Copy"));
  // Nothing of CEF's own for a link or an image alone: the menu is empty
  // and so closes at once.
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_LINK | CM_TYPEFLAG_MEDIA),
              ElementsAre());
  EXPECT_EQ(client_->Lines("menu_dismissed").size(), 3u);
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_NONE), ElementsAre());

  browser->GetHost()->CloseBrowser(true);
  ASSERT_TRUE(client_->WaitFor("before_close"));
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_PAGE), ElementsAre("<none>"));
}

TEST_F(BrowserTest, TheClientShapesTheMenuAndHandlesItsOwnCommands) {
  CefRefPtr<CefBrowser> browser = Create("data:text/html,x");
  ASSERT_TRUE(WaitLoaded(browser));
  CefRefPtr<CefContextMenuParams> kept;
  std::string seen;
  client_->before_context_menu = [&](CefRefPtr<CefContextMenuParams> params,
                                     CefRefPtr<CefMenuModel> model) {
    kept = params;
    seen = std::to_string(params->GetXCoord()) + "," +
           std::to_string(params->GetYCoord()) + " " +
           params->GetPageUrl().ToString() + " " +
           params->GetLinkUrl().ToString();
    model->Remove(MENU_ID_PRINT);
    model->InsertItemAt(0, MENU_ID_USER_FIRST, "Mine");
    model->AddItem(MENU_ID_RELOAD, "Reload");
  };
  client_->handled_commands = {MENU_ID_USER_FIRST};
  ContextMenuRequest request;
  request.type_flags = CM_TYPEFLAG_PAGE | CM_TYPEFLAG_LINK;
  request.x = 12;
  request.y = 34;
  request.link_url = "http://example.test/";
  EXPECT_THAT(Open(browser, request),
              ElementsAre("26500 Mine", "100 &Back (disabled)",
                          "101 &Forward (disabled)", "-",
                          "132 View page &source", "102 Reload"));
  EXPECT_EQ(seen, "12,34 data:text/html,x http://example.test/");
  // Params answer only during the callback they are given to.
  EXPECT_EQ(kept->GetTypeFlags(), CM_TYPEFLAG_NONE);
  EXPECT_TRUE(kept->GetPageUrl().empty());

  // A command the client handles gets no default action; one it leaves to
  // CEF does.
  ASSERT_TRUE(Choose(browser, MENU_ID_USER_FIRST));
  Open(browser, request);
  ASSERT_TRUE(Choose(browser, MENU_ID_RELOAD));
  ASSERT_TRUE(client_->WaitForCount("load_end", 2));
  EXPECT_THAT(client_->Lines("menu_command"),
              ElementsAre("menu_command 26500", "menu_command 102"));

  // A model the client empties shows nothing.
  client_->before_context_menu = [](CefRefPtr<CefContextMenuParams>,
                                    CefRefPtr<CefMenuModel> model) {
    model->Clear();
  };
  EXPECT_THAT(Open(browser, CM_TYPEFLAG_PAGE), ElementsAre());
  EXPECT_FALSE(Choose(browser, MENU_ID_BACK));
}

TEST_F(BrowserTest, AClientThatRunsTheMenuAnswersThroughTheCallbackOnce) {
  CefRefPtr<CefBrowser> browser = Create("data:text/html,x");
  ASSERT_TRUE(WaitLoaded(browser));
  client_->runs_context_menu = true;
  Open(browser, CM_TYPEFLAG_PAGE);
  ASSERT_TRUE(client_->menu_callback);
  // The stand-in shows nothing, so there is nothing to choose from.
  EXPECT_FALSE(Choose(browser, MENU_ID_VIEW_SOURCE));
  client_->menu_callback->Continue(MENU_ID_RELOAD, EVENTFLAG_NONE);
  client_->menu_callback->Continue(MENU_ID_BACK, EVENTFLAG_NONE);
  ASSERT_TRUE(client_->WaitFor("menu_dismissed"));
  ASSERT_TRUE(client_->WaitForCount("load_end", 2));
  EXPECT_THAT(client_->Lines("menu_command"), ElementsAre("menu_command 102"));

  // Cancelled, or let go unanswered: dismissed without a command.
  Open(browser, CM_TYPEFLAG_PAGE);
  client_->menu_callback->Cancel();
  ASSERT_TRUE(client_->WaitForCount("menu_dismissed", 2));
  Open(browser, CM_TYPEFLAG_PAGE);
  RunOnUi([this]() { client_->menu_callback = nullptr; });
  ASSERT_TRUE(client_->WaitForCount("menu_dismissed", 3));
  EXPECT_EQ(client_->Lines("menu_command").size(), 1u);
}

TEST(MenuModelTest, IndexesAndCommandIdsNameEntriesSeparatorsHaveNone) {
  CefRefPtr<cefsim::CefMenuModelImpl> model = new cefsim::CefMenuModelImpl();
  EXPECT_TRUE(model->AddItem(1, "one"));
  EXPECT_TRUE(model->AddSeparator());
  EXPECT_TRUE(model->InsertItemAt(0, 2, "two"));
  EXPECT_FALSE(model->InsertItemAt(9, 3, "past the end"));
  EXPECT_FALSE(model->AddItem(-1, "no id"));
  ASSERT_EQ(model->GetCount(), 3);
  EXPECT_EQ(model->GetIndexOf(1), 1);
  EXPECT_EQ(model->GetCommandIdAt(0), 2);
  EXPECT_EQ(model->GetCommandIdAt(2), -1);  // The separator.
  EXPECT_EQ(model->GetTypeAt(2), MENUITEMTYPE_SEPARATOR);
  EXPECT_EQ(model->GetType(1), MENUITEMTYPE_COMMAND);
  EXPECT_EQ(model->GetType(7), MENUITEMTYPE_NONE);
  EXPECT_TRUE(model->GetLabelAt(2).empty());
  EXPECT_FALSE(model->SetLabelAt(2, "x"));
  EXPECT_FALSE(model->SetCommandIdAt(2, 5));
  EXPECT_EQ(model->GetIndexOf(-1), -1);  // Not the separator.
  EXPECT_TRUE(model->SetEnabled(1, false));
  EXPECT_FALSE(model->IsEnabled(1));
  EXPECT_FALSE(model->SetVisible(7, false));
  EXPECT_TRUE(model->Remove(2));
  EXPECT_EQ(model->GetLabelAt(0).ToString(), "one");
  EXPECT_FALSE(model->RemoveAt(5));
  EXPECT_TRUE(model->Clear());
  EXPECT_EQ(model->GetCount(), 0);
}

}  // namespace
