#include <cstdint>
#include <string>

#include "gtest/gtest.h"
#include "include/cef_values.h"
#include "cefsim/src/strings/u16_text.h"

namespace {

TEST(ListValueTest, SettingPastTheEndFillsTheGapWithNulls) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  ASSERT_TRUE(list->SetInt(3, 7));
  EXPECT_EQ(4u, list->GetSize());
  for (size_t i = 0; i < 3; ++i)
    EXPECT_EQ(VTYPE_NULL, list->GetType(i)) << i;
  EXPECT_EQ(7, list->GetInt(3));
  EXPECT_EQ(VTYPE_INVALID, list->GetType(4));

  ASSERT_TRUE(list->SetSize(6));
  EXPECT_EQ(VTYPE_NULL, list->GetType(5));
  ASSERT_TRUE(list->SetSize(2));
  EXPECT_EQ(2u, list->GetSize());
  EXPECT_EQ(VTYPE_INVALID, list->GetType(3));

  // Appends, after a gap and one after another, keep every entry.
  ASSERT_TRUE(list->SetInt(4, 4));
  for (int i = 5; i < 200; ++i)
    ASSERT_TRUE(list->SetInt(static_cast<size_t>(i), i));
  ASSERT_EQ(200u, list->GetSize());
  EXPECT_EQ(VTYPE_NULL, list->GetType(2));
  EXPECT_EQ(VTYPE_NULL, list->GetType(3));
  for (int i = 4; i < 200; ++i)
    ASSERT_EQ(i, list->GetInt(static_cast<size_t>(i)));
}

TEST(ListValueTest, IndexTooLargeForAnyListChangesNothing) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetInt(0, 1);
  EXPECT_FALSE(list->SetInt(SIZE_MAX, 2));
  EXPECT_FALSE(list->SetSize(SIZE_MAX));
  CefRefPtr<CefListValue> sub = CefListValue::Create();
  EXPECT_FALSE(list->SetList(SIZE_MAX, sub));
  EXPECT_TRUE(sub->IsValid());  // not given away by the failed call
  ASSERT_EQ(1u, list->GetSize());
  EXPECT_EQ(1, list->GetInt(0));
}

TEST(ListValueTest, GettersOfAnotherTypeGiveNeutralValues) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, "text");
  list->SetInt(1, 5);
  list->SetBool(2, true);
  list->SetDouble(3, 2.5);
  const size_t kMissing = 10;
  for (size_t i : {size_t{0}, size_t{1}, size_t{2}, size_t{3}, kMissing}) {
    if (i != 2) {
      EXPECT_FALSE(list->GetBool(i)) << i;
    }
    if (i != 1) {
      EXPECT_EQ(0, list->GetInt(i)) << i;
    }
    if (i != 3) {
      EXPECT_EQ(0.0, list->GetDouble(i)) << i;
    }
    if (i != 0) {
      EXPECT_TRUE(list->GetString(i).empty()) << i;
    }
    EXPECT_FALSE(list->GetList(i)) << i;
    EXPECT_FALSE(list->GetDictionary(i)) << i;
    EXPECT_FALSE(list->GetBinary(i)) << i;
  }
  // Numbers are not converted into one another.
  EXPECT_EQ(0.0, list->GetDouble(1));
  EXPECT_FALSE(list->GetValue(kMissing));
  EXPECT_EQ(VTYPE_DOUBLE, list->GetValue(3)->GetType());
}

TEST(ListValueTest, RemoveAndClear) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  for (int i = 0; i < 4; ++i)
    list->SetInt(i, i);
  EXPECT_TRUE(list->Remove(1));
  EXPECT_FALSE(list->Remove(3));
  ASSERT_EQ(3u, list->GetSize());
  EXPECT_EQ(2, list->GetInt(1));
  EXPECT_TRUE(list->Clear());
  EXPECT_EQ(0u, list->GetSize());
}

TEST(ListValueTest, StringsKeepNulCharactersAndSurrogatePairs) {
  const std::u16string text(u"a\0b\U0001F600\u00e9", 6);
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetString(0, cefsim::FromU16String(text));
  list->SetString(1, CefString());
  EXPECT_EQ(text, cefsim::ToU16String(list->GetString(0)));
  EXPECT_EQ(text, cefsim::ToU16String(list->Copy()->GetValue(0)->GetString()));
  EXPECT_EQ(VTYPE_STRING, list->GetType(1));
  EXPECT_TRUE(list->GetString(1).empty());
}

TEST(ListValueTest, HundredThousandEntries) {
  const int kCount = 100000;
  CefRefPtr<CefListValue> list = CefListValue::Create();
  for (int i = kCount - 1; i >= 0; --i)
    ASSERT_TRUE(list->SetInt(i, i));
  CefRefPtr<CefListValue> copy = list->Copy();
  ASSERT_EQ(static_cast<size_t>(kCount), copy->GetSize());
  EXPECT_TRUE(copy->IsEqual(list));
  for (int i = 0; i < kCount; i += 997)
    EXPECT_EQ(i, copy->GetInt(i));
}

}  // namespace
