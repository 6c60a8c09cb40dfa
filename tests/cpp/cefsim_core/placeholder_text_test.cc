// The text a browser window shows in place of its page.
#include "cefsim/src/placeholder/placeholder_text.h"

#include <gtest/gtest.h>

namespace cefsim {
namespace {

using Lines = std::vector<std::u32string>;

PlaceholderState Page() {
  PlaceholderState state;
  state.url = "client://plovex/panel.plovex/index.html";
  state.title = "Panel";
  return state;
}

TEST(PlaceholderTextTest, PageShowsUrlTitleStateAndConsoleUnderAPlainHeading) {
  PlaceholderState state = Page();
  state.loading = true;
  PlaceholderText text = ComposePlaceholder(state, 80, 10);
  EXPECT_EQ(text.heading, U"cefsim: page not drawn (placeholder)");
  EXPECT_EQ(text.lines, (Lines{U"URL:    client://plovex/panel.plovex/index.html",
                               U"Title:  Panel", U"State:  loading...",
                               U"Console: nothing logged"}));

  state.loading = false;
  state.title.clear();
  state.url.clear();
  state.console = {"ready", "answered"};
  state.console_total = 2;
  EXPECT_EQ(ComposePlaceholder(state, 80, 10).lines,
            (Lines{U"URL:    (none)", U"Title:  (none)", U"State:  loaded",
                   U"Console:", U"  ready", U"  answered"}));
}

TEST(PlaceholderTextTest, RowsKeepTheBrowsersLinesAndTheLatestConsoleLines) {
  PlaceholderState state = Page();
  state.console = {"two", "three", "four"};  // "one" is no longer kept.
  state.console_total = 4;
  EXPECT_EQ(ComposePlaceholder(state, 80, 6).lines,
            (Lines{U"URL:    client://plovex/panel.plovex/index.html",
                   U"Title:  Panel", U"State:  loaded",
                   U"Console (last 2 of 4 lines):", U"  three", U"  four"}));
  EXPECT_EQ(ComposePlaceholder(state, 80, 8).lines.back(), U"  four");
  EXPECT_EQ(ComposePlaceholder(state, 80, 8).lines[3],
            U"Console (last 3 of 4 lines):");
  // Too low for the console: the browser's own lines, as many as fit.
  EXPECT_EQ(ComposePlaceholder(state, 80, 2).lines,
            (Lines{U"URL:    client://plovex/panel.plovex/index.html",
                   U"Title:  Panel"}));
  EXPECT_EQ(ComposePlaceholder(state, 80, 4).lines.back(),
            U"Console (last 0 of 4 lines):");
  EXPECT_TRUE(ComposePlaceholder(state, 80, 0).lines.empty());
}

TEST(PlaceholderTextTest, LongLinesAreCutToTheColumnsByCharacter) {
  PlaceholderState state = Page();
  state.title = u8"Überblick über Ärger";  // Two bytes a letter for some.
  state.console = {"0123456789abcdef"};
  state.console_total = 1;
  PlaceholderText text = ComposePlaceholder(state, 16, 10);
  EXPECT_EQ(text.heading, U"cefsim: page ...");
  EXPECT_EQ(text.lines[0], U"URL:    clien...");
  EXPECT_EQ(text.lines[1], U"Title:  Überb...");
  EXPECT_EQ(text.lines[2], U"State:  loaded");  // Fits exactly.
  EXPECT_EQ(text.lines[4], U"  0123456789a...");
  for (const std::u32string& line : text.lines)
    EXPECT_LE(line.size(), 16u);
  // No room for the mark: a plain cut.
  EXPECT_EQ(ComposePlaceholder(state, 3, 1).lines, (Lines{U"URL"}));
  EXPECT_EQ(ComposePlaceholder(state, 0, 1).lines, (Lines{U""}));
}

TEST(PlaceholderTextTest, ControlCharactersAndBadUtf8StayOnTheirLine) {
  PlaceholderState state = Page();
  state.title = "tab\there";
  state.console = {"first\nsecond\r\x7f", "bad \xC3( end"};
  state.console_total = 2;
  Lines lines = ComposePlaceholder(state, 80, 10).lines;
  EXPECT_EQ(lines[1], U"Title:  tab here");
  EXPECT_EQ(lines[4], U"  first second  ");
  EXPECT_EQ(lines[5], U"  bad \uFFFD( end");
}

TEST(PlaceholderTextTest, DeveloperToolsNameThePageTheyInspect) {
  PlaceholderState state = Page();
  state.is_devtools = true;
  state.console = {"devtools noise"};
  state.console_total = 1;
  PlaceholderText text = ComposePlaceholder(state, 80, 10);
  EXPECT_EQ(text.heading, U"cefsim: developer tools not drawn (placeholder)");
  EXPECT_EQ(text.lines,
            (Lines{U"Developer tools for client://plovex/panel.plovex/index.html"}));
  state.url.clear();
  EXPECT_EQ(ComposePlaceholder(state, 80, 10).lines,
            (Lines{U"Developer tools for (no page)"}));
}

TEST(PlaceholderTextTest, FontTextShowsWhatTheFontLacksAsQuestionMarks) {
  auto latin1 = [](char16_t c) { return c >= 0x20 && c <= 0xFF; };
  EXPECT_EQ(FontText(U"café Москва", latin1), u"café ??????");
  // A character beyond 16 bits takes one cell, whatever the font says.
  EXPECT_EQ(FontText(U"a\U0001F600b", [](char16_t) { return true; }), u"a?b");
  EXPECT_EQ(FontText(U"Москва", [](char16_t) { return true; }), u"Москва");
}

}  // namespace
}  // namespace cefsim
