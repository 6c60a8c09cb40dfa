#include <cmath>

#include "gtest/gtest.h"
#include "include/cef_values.h"

namespace {

// A list holding, at index 0, a list holding the integer 1.
CefRefPtr<CefListValue> NestedList() {
  CefRefPtr<CefListValue> inner = CefListValue::Create();
  inner->SetInt(0, 1);
  CefRefPtr<CefListValue> outer = CefListValue::Create();
  outer->SetList(0, inner);
  return outer;
}

TEST(ValueOwnershipTest, EntriesObtainedReferIntoTheirContainer) {
  CefRefPtr<CefListValue> outer = NestedList();
  CefRefPtr<CefListValue> inner = outer->GetList(0);
  ASSERT_TRUE(inner);
  EXPECT_TRUE(inner->IsOwned());
  EXPECT_TRUE(inner->IsSame(outer->GetList(0)));
  inner->SetDictionary(1, CefDictionaryValue::Create());
  inner->GetDictionary(1)->SetString("k", "v");
  EXPECT_EQ("v", outer->GetList(0)->GetDictionary(1)->GetString("k").ToString());

  CefRefPtr<CefValue> value = outer->GetValue(0);
  EXPECT_TRUE(value->IsOwned());
  value->GetList()->SetInt(0, 5);
  EXPECT_EQ(5, outer->GetList(0)->GetInt(0));
}

TEST(ValueOwnershipTest, SettingAnUnownedObjectMovesItIn) {
  CefRefPtr<CefListValue> inner = CefListValue::Create();
  inner->SetInt(0, 1);
  CefRefPtr<CefDictionaryValue> dict = CefDictionaryValue::Create();
  ASSERT_TRUE(dict->SetList("l", inner));
  EXPECT_FALSE(inner->IsValid());
  EXPECT_FALSE(inner->IsOwned());
  EXPECT_EQ(0u, inner->GetSize());
  EXPECT_FALSE(inner->SetInt(0, 2));
  EXPECT_EQ(1, dict->GetList("l")->GetInt(0));
  // What has moved away cannot be set again.
  EXPECT_FALSE(dict->SetList("again", inner));
  EXPECT_FALSE(dict->HasKey("again"));

  char byte = 7;
  CefRefPtr<CefBinaryValue> binary = CefBinaryValue::Create(&byte, 1);
  dict->SetBinary("b", binary);
  EXPECT_FALSE(binary->IsValid());
  EXPECT_TRUE(dict->GetBinary("b")->IsOwned());
}

TEST(ValueOwnershipTest, SettingAnOwnedObjectCopiesIt) {
  CefRefPtr<CefListValue> first = NestedList();
  CefRefPtr<CefListValue> owned = first->GetList(0);
  CefRefPtr<CefListValue> second = CefListValue::Create();
  ASSERT_TRUE(second->SetList(0, owned));
  EXPECT_TRUE(owned->IsValid());
  EXPECT_TRUE(owned->IsOwned());
  owned->SetInt(0, 7);
  EXPECT_EQ(7, first->GetList(0)->GetInt(0));
  EXPECT_EQ(1, second->GetList(0)->GetInt(0));
}

TEST(ValueOwnershipTest, ReferencesTurnInvalidWhenTheirEntryGoes) {
  CefRefPtr<CefListValue> outer = NestedList();
  CefRefPtr<CefListValue> replaced = outer->GetList(0);
  outer->SetInt(0, 3);
  EXPECT_FALSE(replaced->IsValid());
  EXPECT_FALSE(replaced->IsOwned());
  EXPECT_FALSE(replaced->SetInt(0, 1));

  outer = NestedList();
  CefRefPtr<CefListValue> removed = outer->GetList(0);
  outer->Remove(0);
  EXPECT_FALSE(removed->IsValid());

  outer = NestedList();
  CefRefPtr<CefListValue> cut_off = outer->GetList(0);
  outer->SetSize(0);
  EXPECT_FALSE(cut_off->IsValid());

  outer = NestedList();
  outer->GetList(0)->SetList(1, CefListValue::Create());
  CefRefPtr<CefListValue> grandchild = outer->GetList(0)->GetList(1);
  CefRefPtr<CefValue> value = outer->GetValue(0);
  outer = nullptr;
  EXPECT_FALSE(grandchild->IsValid());
  EXPECT_FALSE(value->IsValid());
  EXPECT_EQ(VTYPE_INVALID, value->GetType());
  EXPECT_FALSE(grandchild->Copy());
}

TEST(ValueOwnershipTest, CopiesAreDeepAndIndependent) {
  CefRefPtr<CefDictionaryValue> original = CefDictionaryValue::Create();
  original->SetList("l", NestedList());
  CefRefPtr<CefDictionaryValue> copy = original->Copy(false);
  EXPECT_TRUE(copy->IsEqual(original));
  EXPECT_FALSE(copy->IsSame(original));

  copy->GetList("l")->GetList(0)->SetInt(0, 2);
  copy->GetList("l")->SetString(1, "added");
  EXPECT_EQ(1, original->GetList("l")->GetList(0)->GetInt(0));
  EXPECT_EQ(1u, original->GetList("l")->GetSize());
  original->Remove("l");
  EXPECT_EQ(2, copy->GetList("l")->GetList(0)->GetInt(0));

  // A copy of an entry belongs to no container.
  CefRefPtr<CefListValue> outer = NestedList();
  CefRefPtr<CefListValue> detached = outer->GetList(0)->Copy();
  EXPECT_FALSE(detached->IsOwned());
  outer = nullptr;
  EXPECT_EQ(1, detached->GetInt(0));
}

TEST(ValueOwnershipTest, EqualityIsDeepAndTypeExact) {
  CefRefPtr<CefListValue> a = NestedList();
  CefRefPtr<CefListValue> b = NestedList();
  EXPECT_TRUE(a->IsEqual(b));
  b->GetList(0)->SetDouble(0, 1.0);
  EXPECT_FALSE(a->IsEqual(b));
  b->GetList(0)->SetInt(0, 1);
  b->SetNull(1);
  EXPECT_FALSE(a->IsEqual(b));
  EXPECT_FALSE(a->IsEqual(nullptr));
  EXPECT_FALSE(a->IsSame(nullptr));

  CefRefPtr<CefValue> x = CefValue::Create();
  CefRefPtr<CefValue> y = CefValue::Create();
  EXPECT_EQ(VTYPE_NULL, x->GetType());
  x->SetString("s");
  y->SetString("s");
  EXPECT_TRUE(x->IsEqual(y));
  EXPECT_FALSE(x->IsSame(y));
  EXPECT_TRUE(x->IsSame(x));
  x->SetDouble(NAN);
  EXPECT_FALSE(x->IsEqual(x->Copy()));
}

TEST(ValueOwnershipTest, ATreeSetInsideItselfIsCopied) {
  CefRefPtr<CefListValue> list = NestedList();
  ASSERT_TRUE(list->SetList(1, list));
  EXPECT_TRUE(list->IsValid());
  EXPECT_EQ(1u, list->GetList(1)->GetSize());
  EXPECT_EQ(1, list->GetList(1)->GetList(0)->GetInt(0));

  CefRefPtr<CefListValue> inner = list->GetList(0);
  ASSERT_TRUE(inner->SetList(1, list));
  EXPECT_TRUE(list->IsValid());
  EXPECT_EQ(2u, list->GetList(0)->GetList(1)->GetSize());
}

TEST(ValueOwnershipTest, AValueRefersToItsObjectUntilSetIntoAContainer) {
  CefRefPtr<CefListValue> list = CefListValue::Create();
  CefRefPtr<CefValue> value = CefValue::Create();
  ASSERT_TRUE(value->SetList(list));
  EXPECT_TRUE(value->GetList()->IsSame(list));
  EXPECT_FALSE(value->IsOwned());
  EXPECT_FALSE(value->SetList(nullptr));

  CefRefPtr<CefDictionaryValue> dict = CefDictionaryValue::Create();
  ASSERT_TRUE(dict->SetValue("k", value));
  EXPECT_FALSE(list->IsValid());  // moved into the dictionary
  EXPECT_TRUE(value->IsOwned());
  value->GetList()->SetInt(0, 4);
  EXPECT_EQ(4, dict->GetList("k")->GetInt(0));

  // Simple data is copied both ways.
  CefRefPtr<CefValue> number = CefValue::Create();
  number->SetInt(1);
  dict->SetValue("n", number);
  number->SetInt(2);
  CefRefPtr<CefValue> read = dict->GetValue("n");
  read->SetInt(3);
  EXPECT_EQ(1, dict->GetInt("n"));
  EXPECT_FALSE(read->IsOwned());

  CefRefPtr<CefValue> copy = dict->GetValue("k")->Copy();
  EXPECT_FALSE(copy->IsOwned());
  copy->GetList()->SetInt(0, 5);
  EXPECT_EQ(4, dict->GetList("k")->GetInt(0));
}

TEST(ValueOwnershipTest, AValueHoldingABinaryIsReadOnly) {
  const char bytes[] = {1, 2};
  CefRefPtr<CefValue> value = CefValue::Create();
  EXPECT_FALSE(value->IsReadOnly());
  ASSERT_TRUE(value->SetBinary(CefBinaryValue::Create(bytes, sizeof(bytes))));
  EXPECT_TRUE(value->IsReadOnly());
  CefRefPtr<CefListValue> list = CefListValue::Create();
  list->SetBinary(0, CefBinaryValue::Create(bytes, sizeof(bytes)));
  EXPECT_TRUE(list->GetValue(0)->IsReadOnly());
  EXPECT_TRUE(value->Copy()->IsReadOnly());
  value->SetList(CefListValue::Create());
  EXPECT_FALSE(value->IsReadOnly());
}

}  // namespace
