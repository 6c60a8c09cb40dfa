#include <gtest/gtest.h>

#include <string>

#include "bridge/host_bridge_singleton.h"

namespace {

TEST(StartupCodeStoreTest, StoresReplacesAndRemovesPerBrowser) {
  HostBridgeSingleton* bridge = HostBridgeSingleton::Instance();
  bridge->SetStartupCode(101, "first();");
  bridge->SetStartupCode(102, "other();");
  bridge->SetStartupCode(101, "second();");

  std::string code;
  ASSERT_TRUE(bridge->GetStartupCode(101, &code));
  EXPECT_EQ("second();", code);
  ASSERT_TRUE(bridge->GetStartupCode(102, &code));
  EXPECT_EQ("other();", code);

  bridge->RemoveStartupCode(101);
  bridge->RemoveStartupCode(101);
  code = "untouched";
  EXPECT_FALSE(bridge->GetStartupCode(101, &code));
  EXPECT_EQ("untouched", code);
  ASSERT_TRUE(bridge->GetStartupCode(102, &code));
  EXPECT_EQ("other();", code);
  bridge->RemoveStartupCode(102);
}

TEST(StartupCodeStoreTest, KeepsCodeByteForByte) {
  HostBridgeSingleton* bridge = HostBridgeSingleton::Instance();
  const char kCode[] = "a('\xc3\xa9');\0b();";
  const std::string code(kCode, sizeof(kCode) - 1);
  bridge->SetStartupCode(0xFFFFFFFFu, code);
  bridge->SetStartupCode(0, "");

  std::string stored = "x";
  ASSERT_TRUE(bridge->GetStartupCode(0xFFFFFFFFu, &stored));
  EXPECT_EQ(code, stored);
  ASSERT_TRUE(bridge->GetStartupCode(0, &stored));
  EXPECT_EQ("", stored);
  bridge->RemoveStartupCode(0xFFFFFFFFu);
  bridge->RemoveStartupCode(0);
}

}  // namespace
