#include <gtest/gtest.h>

#include <string>

#include "bridge/startup_code_store.h"

namespace zubrix {
namespace {

TEST(StartupCodeStoreTest, StoresReplacesAndRemovesPerBrowser) {
  StartupCodeStore store;
  store.Set(101, "first();");
  store.Set(102, "other();");
  store.Set(101, "second();");

  std::string code;
  ASSERT_TRUE(store.Get(101, &code));
  EXPECT_EQ("second();", code);
  ASSERT_TRUE(store.Get(102, &code));
  EXPECT_EQ("other();", code);

  store.Remove(101);
  store.Remove(101);
  code = "untouched";
  EXPECT_FALSE(store.Get(101, &code));
  EXPECT_EQ("untouched", code);
  ASSERT_TRUE(store.Get(102, &code));
  EXPECT_EQ("other();", code);
}

TEST(StartupCodeStoreTest, KeepsCodeByteForByte) {
  StartupCodeStore store;
  const char kCode[] = "a('\xc3\xa9');\0b();";
  const std::string code(kCode, sizeof(kCode) - 1);
  store.Set(0xFFFFFFFFu, code);
  store.Set(0, "");

  std::string stored = "x";
  ASSERT_TRUE(store.Get(0xFFFFFFFFu, &stored));
  EXPECT_EQ(code, stored);
  ASSERT_TRUE(store.Get(0, &stored));
  EXPECT_EQ("", stored);
}

}  // namespace
}  // namespace zubrix
