#include <cstring>

#include "gtest/gtest.h"
#include "include/cef_values.h"

namespace {

const char kBytes[] = {'a', 'b', '\0', 'c', 'd'};

TEST(BinaryValueTest, ReadsFromAnOffsetWithinBounds) {
  CefRefPtr<CefBinaryValue> binary =
      CefBinaryValue::Create(kBytes, sizeof(kBytes));
  ASSERT_TRUE(binary);
  EXPECT_EQ(sizeof(kBytes), binary->GetSize());

  char buffer[8];
  memset(buffer, 'x', sizeof(buffer));
  EXPECT_EQ(5u, binary->GetData(buffer, sizeof(buffer), 0));
  EXPECT_EQ(0, memcmp(buffer, kBytes, 5));
  EXPECT_EQ('x', buffer[5]);

  EXPECT_EQ(2u, binary->GetData(buffer, 2, 2));
  EXPECT_EQ('\0', buffer[0]);
  EXPECT_EQ('c', buffer[1]);
  EXPECT_EQ(1u, binary->GetData(buffer, sizeof(buffer), 4));
  EXPECT_EQ('d', buffer[0]);
  EXPECT_EQ(0u, binary->GetData(buffer, sizeof(buffer), 5));
  EXPECT_EQ(0u, binary->GetData(buffer, sizeof(buffer), SIZE_MAX));
  EXPECT_EQ(0u, binary->GetData(nullptr, sizeof(buffer), 0));
  EXPECT_EQ(0u, binary->GetData(buffer, 0, 0));
}

TEST(BinaryValueTest, NoObjectForMissingOrEmptyData) {
  EXPECT_FALSE(CefBinaryValue::Create(nullptr, 4));
  EXPECT_FALSE(CefBinaryValue::Create(kBytes, 0));
}

TEST(BinaryValueTest, CreationCopiesTheData) {
  char data[] = {1, 2, 3};
  CefRefPtr<CefBinaryValue> binary = CefBinaryValue::Create(data, 3);
  data[0] = 9;
  char first = 0;
  binary->GetData(&first, 1, 0);
  EXPECT_EQ(1, first);
  CefRefPtr<CefBinaryValue> other = CefBinaryValue::Create(data, 3);
  EXPECT_FALSE(binary->IsEqual(other));
  EXPECT_TRUE(binary->IsEqual(binary->Copy()));
  EXPECT_FALSE(binary->IsSame(binary->Copy()));
}

}  // namespace
