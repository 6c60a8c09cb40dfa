// What the browser process's threads tell the placeholder painter.
#include "cefsim/src/placeholder/placeholder_board.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace cefsim {
namespace {

HWND Window(uintptr_t id) { return reinterpret_cast<HWND>(id); }

bool Has(const std::vector<HWND>& windows, HWND window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}

TEST(PlaceholderBoardTest, ChangesWakeThePainterOnceTakenTheyAreGone) {
  PlaceholderBoard board;
  int wakeups = 0;
  board.SetWakeup([&wakeups] { ++wakeups; });
  board.Open(1, Window(0x100), "about:blank", 0);
  board.SetTitle(7, "no such browser");
  board.AddConsoleLine(7, "dropped");
  EXPECT_EQ(wakeups, 1);

  PlaceholderBoard::Changes changes = board.TakeChanges();
  EXPECT_EQ(changes.opened, std::vector<HWND>{Window(0x100)});
  EXPECT_TRUE(changes.changed.empty());
  board.SetLoading(1, true);
  board.SetTitle(1, "Start");
  EXPECT_EQ(wakeups, 3);
  changes = board.TakeChanges();
  EXPECT_TRUE(changes.opened.empty());
  EXPECT_EQ(changes.changed, std::vector<HWND>{Window(0x100)});
  changes = board.TakeChanges();
  EXPECT_TRUE(changes.opened.empty() && changes.changed.empty());

  std::optional<PlaceholderState> state = board.StateOf(Window(0x100));
  ASSERT_TRUE(state);
  EXPECT_FALSE(state->is_devtools);
  EXPECT_EQ(state->url, "about:blank");
  EXPECT_EQ(state->title, "Start");
  EXPECT_TRUE(state->loading);
  EXPECT_FALSE(board.StateOf(Window(0x200)));
}

TEST(PlaceholderBoardTest, DeveloperToolsFollowTheInspectedBrowsersUrl) {
  PlaceholderBoard board;
  board.Open(1, Window(0x100), "client://internal/a.html", 0);
  board.Open(2, Window(0x200), "chrome-devtools://devtools/inspector.html", 1);
  board.TakeChanges();
  std::optional<PlaceholderState> tools = board.StateOf(Window(0x200));
  ASSERT_TRUE(tools);
  EXPECT_TRUE(tools->is_devtools);
  EXPECT_EQ(tools->url, "client://internal/a.html");

  board.SetUrl(1, "client://internal/b.html");
  PlaceholderBoard::Changes changes = board.TakeChanges();
  EXPECT_TRUE(Has(changes.changed, Window(0x100)));
  EXPECT_TRUE(Has(changes.changed, Window(0x200)));
  EXPECT_EQ(board.StateOf(Window(0x200))->url, "client://internal/b.html");

  // Once the inspected browser's window is gone there is no page to name.
  board.Forget(Window(0x100));
  EXPECT_EQ(board.StateOf(Window(0x200))->url, "");
  EXPECT_FALSE(board.StateOf(Window(0x100)));
}

TEST(PlaceholderBoardTest, KeepsTheLatestConsoleLinesAndCountsThemAll) {
  PlaceholderBoard board;
  board.Open(1, Window(0x100), "", 0);
  const size_t logged = PlaceholderBoard::kConsoleLines + 5;
  for (size_t i = 0; i < logged; ++i)
    board.AddConsoleLine(1, "line " + std::to_string(i));
  PlaceholderState state = *board.StateOf(Window(0x100));
  EXPECT_EQ(state.console_total, logged);
  ASSERT_EQ(state.console.size(), PlaceholderBoard::kConsoleLines);
  EXPECT_EQ(state.console.front(), "line 5");
  EXPECT_EQ(state.console.back(), "line " + std::to_string(logged - 1));
}

TEST(PlaceholderBoardTest, RecordsWhatWasPaintedUntilTheWindowIsForgotten) {
  PlaceholderBoard board;
  board.Open(1, Window(0x100), "", 0);
  EXPECT_EQ(board.PaintedFor(1)->paints, 0);
  board.RecordPainted(Window(0x100), PlaceholderText{U"heading", {U"Grüße"}});
  board.RecordPainted(Window(0x100), PlaceholderText{U"heading", {U"again"}});
  std::optional<PlaceholderBoard::Painted> painted = board.PaintedFor(1);
  ASSERT_TRUE(painted);
  EXPECT_EQ(painted->paints, 2);
  EXPECT_EQ(painted->lines, (std::vector<std::string>{"heading", "again"}));
  board.RecordPainted(Window(0x100), PlaceholderText{U"heading", {U"Grüße"}});
  EXPECT_EQ(board.PaintedFor(1)->lines[1], u8"Grüße");

  board.Forget(Window(0x100));
  EXPECT_FALSE(board.PaintedFor(1));
  board.SetTitle(1, "late");  // Dropped, not resurrected.
  EXPECT_FALSE(board.PaintedFor(1));
  EXPECT_TRUE(board.TakeChanges().changed.empty());
}

}  // namespace
}  // namespace cefsim
