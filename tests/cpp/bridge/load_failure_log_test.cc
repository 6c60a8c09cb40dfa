#include <gtest/gtest.h>

#include <string>

#include "bridge/load_failure_log.h"

namespace zubrix {
namespace {

using Clock = LoadFailureLog::Clock;
using std::chrono::milliseconds;

TEST(LoadFailureLogTest, WarnsOncePerUrlPerSecond) {
  LoadFailureLog log;
  const Clock::time_point start = Clock::now();
  EXPECT_TRUE(log.Admit("client://internal/a.js", start));
  EXPECT_FALSE(log.Admit("client://internal/a.js", start + milliseconds(10)));
  // Other URLs are counted apart.
  EXPECT_TRUE(log.Admit("client://internal/b.js", start + milliseconds(10)));
  // A refused repeat does not push the next warning further off.
  EXPECT_FALSE(log.Admit("client://internal/a.js", start + milliseconds(999)));
  EXPECT_TRUE(log.Admit("client://internal/a.js", start + milliseconds(1000)));
  EXPECT_FALSE(log.Admit("client://internal/a.js", start + milliseconds(1500)));
}

TEST(LoadFailureLogTest, ForgettingQuietUrlsKeepsRecentOnesRefused) {
  LoadFailureLog log;
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < 300; ++i)
    EXPECT_TRUE(log.Admit("old/" + std::to_string(i), start));
  EXPECT_TRUE(log.Admit("recent", start + milliseconds(1500)));
  // Past the pruning threshold: the old ones go, the recent one stays.
  EXPECT_TRUE(log.Admit("new", start + milliseconds(1600)));
  EXPECT_FALSE(log.Admit("recent", start + milliseconds(1700)));
  EXPECT_TRUE(log.Admit("old/7", start + milliseconds(1700)));
}

}  // namespace
}  // namespace zubrix
