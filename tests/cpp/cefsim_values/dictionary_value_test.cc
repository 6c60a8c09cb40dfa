#include "gtest/gtest.h"
#include "include/cef_values.h"
#include "cefsim/src/strings/u16_text.h"

namespace {

TEST(DictionaryValueTest, KeysTypesAndRemoval) {
  CefRefPtr<CefDictionaryValue> dict = CefDictionaryValue::Create();
  dict->SetInt("b", 2);
  dict->SetString("a", "x");
  dict->SetNull("");
  dict->SetInt("b", 3);  // replaces
  EXPECT_EQ(3u, dict->GetSize());
  CefDictionaryValue::KeyList keys;
  ASSERT_TRUE(dict->GetKeys(keys));
  ASSERT_EQ(3u, keys.size());
  EXPECT_EQ("", keys[0].ToString());
  EXPECT_EQ("a", keys[1].ToString());
  EXPECT_EQ("b", keys[2].ToString());
  EXPECT_EQ(3, dict->GetInt("b"));
  EXPECT_EQ(VTYPE_NULL, dict->GetType(""));
  EXPECT_TRUE(dict->HasKey(""));

  EXPECT_EQ(VTYPE_INVALID, dict->GetType("missing"));
  EXPECT_FALSE(dict->HasKey("missing"));
  EXPECT_EQ(0, dict->GetInt("a"));
  EXPECT_FALSE(dict->GetBool("missing"));
  EXPECT_FALSE(dict->GetValue("missing"));

  EXPECT_TRUE(dict->Remove("a"));
  EXPECT_FALSE(dict->Remove("a"));
  EXPECT_TRUE(dict->Clear());
  EXPECT_EQ(0u, dict->GetSize());
}

TEST(DictionaryValueTest, KeysAreExactUtf16) {
  CefRefPtr<CefDictionaryValue> dict = CefDictionaryValue::Create();
  const std::u16string key(u"k\0\U0001F600", 4);
  dict->SetInt(cefsim::FromU16String(key), 1);
  dict->SetInt("k", 2);
  EXPECT_EQ(1, dict->GetInt(cefsim::FromU16String(key)));
  EXPECT_EQ(2, dict->GetInt("k"));
}

TEST(DictionaryValueTest, CopyCanLeaveOutEmptyChildren) {
  CefRefPtr<CefDictionaryValue> dict = CefDictionaryValue::Create();
  dict->SetInt("n", 1);
  dict->SetDictionary("empty", CefDictionaryValue::Create());
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetList(0, CefListValue::Create());
  list->SetInt(1, 9);
  dict->SetList("list", list);
  // Empty once its own empty child is left out.
  CefRefPtr<CefDictionaryValue> nested = CefDictionaryValue::Create();
  nested->SetList("inner", CefListValue::Create());
  dict->SetDictionary("nested", nested);

  CefRefPtr<CefDictionaryValue> full = dict->Copy(false);
  EXPECT_TRUE(full->IsEqual(dict));
  EXPECT_FALSE(full->IsOwned());

  CefRefPtr<CefDictionaryValue> pruned = dict->Copy(true);
  CefDictionaryValue::KeyList keys;
  pruned->GetKeys(keys);
  ASSERT_EQ(2u, keys.size());
  EXPECT_EQ("list", keys[0].ToString());
  EXPECT_EQ("n", keys[1].ToString());
  CefRefPtr<CefListValue> pruned_list = pruned->GetList("list");
  ASSERT_EQ(1u, pruned_list->GetSize());
  EXPECT_EQ(9, pruned_list->GetInt(0));

  CefRefPtr<CefDictionaryValue> only_empty = CefDictionaryValue::Create();
  only_empty->SetList("x", CefListValue::Create());
  CefRefPtr<CefDictionaryValue> none = only_empty->Copy(true);
  ASSERT_TRUE(none);
  EXPECT_EQ(0u, none->GetSize());
}

}  // namespace
