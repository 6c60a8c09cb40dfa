#include "gtest/gtest.h"
#include "include/cef_values.h"
#include "cefsim/src/values/list_value_impl.h"

namespace {

using cefsim::ListValueImpl;
using cefsim::NodeHandle;

TEST(ReadOnlyValueTest, RefusesChangesAndPassesThatOnToEntries) {
  CefRefPtr<CefListValue> writable = CefListValue::Create();
  writable->SetInt(0, 1);
  writable->SetList(1, CefListValue::Create());
  cefsim::ValueNode::Ptr node = ListValueImpl::HandleOf(writable).Lock();
  CefRefPtr<CefListValue> list =
      new ListValueImpl(NodeHandle::Referring(node, true));

  EXPECT_TRUE(list->IsReadOnly());
  EXPECT_FALSE(list->SetInt(0, 2));
  EXPECT_FALSE(list->SetSize(0));
  EXPECT_FALSE(list->Remove(0));
  EXPECT_FALSE(list->Clear());
  EXPECT_EQ(1, list->GetInt(0));

  CefRefPtr<CefListValue> entry = list->GetList(1);
  EXPECT_TRUE(entry->IsReadOnly());
  EXPECT_FALSE(entry->SetInt(0, 1));
  EXPECT_TRUE(list->GetValue(1)->IsReadOnly());

  // Setting it elsewhere copies it and leaves it as it was.
  CefRefPtr<CefListValue> other = CefListValue::Create();
  ASSERT_TRUE(other->SetList(0, list));
  EXPECT_TRUE(list->IsValid());
  EXPECT_FALSE(other->GetList(0)->IsReadOnly());
  EXPECT_FALSE(list->Copy()->IsReadOnly());
}

}  // namespace
