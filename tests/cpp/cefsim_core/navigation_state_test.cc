#include "cefsim/src/browser/navigation_state.h"

#include <gtest/gtest.h>

namespace {

using cefsim::NavigationState;
using cefsim::PlannedNavigation;
using Action = cefsim::NavigationRequestMessage::Action;

constexpr int64 kMain = 1;
constexpr int64 kChild = 2;

// Asks |state| for |action| on the main frame and lets its load start;
// returns the navigation id, or 0 when the action led nowhere.
int StartMain(NavigationState* state, Action action, const std::u16string& url,
              const std::u16string& shown = u"") {
  PlannedNavigation plan;
  if (!state->Plan(action, true, url, shown, &plan))
    return 0;
  int id = state->Begin(kMain, true, plan);
  EXPECT_TRUE(state->LoadStarted(kMain, true, id, plan.transition_type,
                                 plan.url));
  return id;
}

void Visit(NavigationState* state, const std::u16string& url) {
  int id = StartMain(state, cefsim::NavigationRequestMessage::kLoadUrl, url);
  ASSERT_NE(id, 0);
  ASSERT_TRUE(state->LoadEnded(kMain, id));
}

TEST(NavigationStateTest, HistoryMovesOnlyWhenTheLoadStarts) {
  NavigationState state;
  Visit(&state, u"http://a/");
  Visit(&state, u"http://b/");
  EXPECT_TRUE(state.CanGoBack());
  EXPECT_FALSE(state.CanGoForward());

  PlannedNavigation back;
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kBack, true, u"",
                         u"http://b/", &back));
  EXPECT_EQ(back.url, u"http://a/");
  EXPECT_EQ(back.transition_type, TT_EXPLICIT | TT_FORWARD_BACK_FLAG);
  int id = state.Begin(kMain, true, back);
  EXPECT_TRUE(state.loading());
  // Not moved until the document starts loading.
  EXPECT_FALSE(state.CanGoForward());
  ASSERT_TRUE(state.LoadStarted(kMain, true, id, back.transition_type,
                                back.url));
  EXPECT_FALSE(state.CanGoBack());
  EXPECT_TRUE(state.CanGoForward());

  // A new document drops the entries after the current one.
  Visit(&state, u"http://c/");
  EXPECT_TRUE(state.CanGoBack());
  EXPECT_FALSE(state.CanGoForward());
}

TEST(NavigationStateTest, ActionsThatLeadNowhere) {
  NavigationState state;
  PlannedNavigation plan;
  EXPECT_FALSE(state.Plan(cefsim::NavigationRequestMessage::kBack, true, u"",
                          u"", &plan));
  EXPECT_FALSE(state.Plan(cefsim::NavigationRequestMessage::kReload, true,
                          u"", u"", &plan));
  EXPECT_FALSE(state.Plan(cefsim::NavigationRequestMessage::kStop, true,
                          u"http://a/", u"", &plan));
  Visit(&state, u"http://a/");
  Visit(&state, u"http://b/");
  // Only the main frame has a history.
  EXPECT_FALSE(state.Plan(cefsim::NavigationRequestMessage::kBack, false,
                          u"", u"http://x/", &plan));
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, false,
                         u"http://x/", u"", &plan));
  EXPECT_EQ(plan.transition_type, TT_MANUAL_SUBFRAME);
}

TEST(NavigationStateTest, ReloadKeepsTheHistoryAsItIs) {
  NavigationState state;
  Visit(&state, u"http://a/");
  int id = StartMain(&state, cefsim::NavigationRequestMessage::kReload, u"",
                     u"http://a/");
  ASSERT_NE(id, 0);
  EXPECT_TRUE(state.LoadEnded(kMain, id));
  EXPECT_FALSE(state.CanGoBack());
  EXPECT_FALSE(state.loading());
}

TEST(NavigationStateTest, ReplacedLoadsAreNotReported) {
  NavigationState state;
  PlannedNavigation first, second;
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, true,
                         u"http://a/", u"", &first));
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, true,
                         u"http://b/", u"", &second));
  int old_id = state.Begin(kMain, true, first);
  int new_id = state.Begin(kMain, true, second);
  EXPECT_NE(old_id, new_id);
  EXPECT_FALSE(state.LoadStarted(kMain, true, old_id, TT_EXPLICIT, u"http://a/"));
  EXPECT_FALSE(state.LoadEnded(kMain, old_id));
  EXPECT_TRUE(state.loading());
  EXPECT_TRUE(state.LoadStarted(kMain, true, new_id, TT_EXPLICIT, u"http://b/"));
  EXPECT_TRUE(state.LoadEnded(kMain, new_id));
  EXPECT_FALSE(state.loading());
  EXPECT_FALSE(state.CanGoBack());
}

TEST(NavigationStateTest, MainFrameNavigationSupersedesSubFrames) {
  NavigationState state;
  PlannedNavigation child;
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, false,
                         u"http://x/", u"", &child));
  int child_id = state.Begin(kChild, false, child);
  EXPECT_TRUE(state.loading());
  int main_id = StartMain(&state, cefsim::NavigationRequestMessage::kLoadUrl,
                          u"http://a/");
  ASSERT_TRUE(state.LoadEnded(kMain, main_id));
  EXPECT_FALSE(state.loading());
  EXPECT_FALSE(state.LoadStarted(kChild, false, child_id, TT_MANUAL_SUBFRAME,
                                 u"http://x/"));
}

TEST(NavigationStateTest, DocumentLoadsAndForgottenFrames) {
  NavigationState state;
  // A load the document asked for itself is reported and ends.
  EXPECT_TRUE(state.LoadStarted(kChild, false, 0, TT_AUTO_SUBFRAME, u"x"));
  EXPECT_TRUE(state.LoadEnded(kChild, 0));
  EXPECT_FALSE(state.loading());

  PlannedNavigation plan;
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, false,
                         u"http://x/", u"", &plan));
  int id = state.Begin(kChild, false, plan);
  ASSERT_TRUE(state.LoadStarted(kChild, false, id, plan.transition_type,
                                plan.url));
  state.ForgetFrame(kChild);
  EXPECT_FALSE(state.loading());
  EXPECT_FALSE(state.LoadEnded(kChild, id));
}

TEST(NavigationStateTest, FailedHistoryMoveLeavesTheHistory) {
  NavigationState state;
  Visit(&state, u"http://a/");
  Visit(&state, u"http://b/");
  PlannedNavigation back;
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kBack, true, u"",
                         u"", &back));
  int id = state.Begin(kMain, true, back);
  state.LoadFailed(kMain, id);
  EXPECT_FALSE(state.loading());
  EXPECT_TRUE(state.CanGoBack());
  EXPECT_FALSE(state.CanGoForward());

  // After a reset nothing is loading, and the history stays.
  Visit(&state, u"http://c/");
  int pending = StartMain(&state, cefsim::NavigationRequestMessage::kLoadUrl,
                          u"http://d/");
  state.Reset();
  EXPECT_FALSE(state.loading());
  EXPECT_FALSE(state.LoadEnded(kMain, pending));
  EXPECT_TRUE(state.CanGoBack());
}

}  // namespace

TEST(NavigationStateTest, SameDocumentNavigationsAddEntriesAndLeaveLoadsAlone) {
  NavigationState state;
  // The page moves to a fragment while its own load is still running: the
  // load still ends as reported.
  PlannedNavigation plan;
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, true,
                         u"http://a/", u"", &plan));
  int load = state.Begin(kMain, true, plan);
  ASSERT_TRUE(state.LoadStarted(kMain, true, load, plan.transition_type,
                                plan.url));
  EXPECT_TRUE(state.SameDocumentCommitted(kMain, true, 0, u"http://a/#x"));
  EXPECT_EQ(state.history_length(), 2);
  EXPECT_TRUE(state.loading());
  EXPECT_TRUE(state.LoadEnded(kMain, load));
  EXPECT_FALSE(state.loading());

  // One the browser asked for ends its navigation; a replaced one is not
  // heard of; a sub-frame's keeps the history as it is.
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kLoadUrl, true,
                         u"http://a/#y", u"http://a/#x", &plan));
  int asked = state.Begin(kMain, true, plan);
  EXPECT_TRUE(state.SameDocumentCommitted(kMain, true, asked, u"http://a/#y"));
  EXPECT_FALSE(state.loading());
  EXPECT_FALSE(state.SameDocumentCommitted(kMain, true, asked, u"http://a/#y"));
  EXPECT_TRUE(state.SameDocumentCommitted(kChild, false, 0, u"http://c/#z"));
  EXPECT_EQ(state.history_length(), 3);

  // Back moves to the entry it wanted.
  ASSERT_TRUE(state.Plan(cefsim::NavigationRequestMessage::kBack, true, u"",
                         u"http://a/#y", &plan));
  EXPECT_EQ(plan.url, u"http://a/#x");
  int back = state.Begin(kMain, true, plan);
  EXPECT_TRUE(state.SameDocumentCommitted(kMain, true, back, plan.url));
  EXPECT_TRUE(state.CanGoForward());
  EXPECT_EQ(state.history_length(), 3);
}
