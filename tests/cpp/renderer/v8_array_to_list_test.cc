#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "renderer/v8_array_to_list.h"
#include "test_support/script_eval.h"

namespace zubrix {
namespace {

class V8ArrayToListTest : public testing::Test {
 protected:
  CefRefPtr<CefListValue> Convert(const std::string& array_expression) {
    CefRefPtr<CefV8Value> array = Eval(script_.context(), array_expression);
    EXPECT_TRUE(array && array->IsArray()) << array_expression;
    CefRefPtr<CefListValue> list = CefListValue::Create();
    V8ArrayToList(array, list);
    return list;
  }

  cefsim_inspect::EnteredScriptContext script_;
};

// The text's UTF-16 code units, as CEF keeps them.
std::u16string Units(const CefString& text) {
  return std::u16string(text.c_str(), text.c_str() + text.length());
}

// Nesting depth of a list whose entry |index| is a list, and so on. A list
// taken from its parent is valid only while the parent is, so every level is
// kept.
int Depth(CefRefPtr<CefListValue> list, size_t index = 0) {
  std::vector<CefRefPtr<CefListValue>> levels = {list};
  while (levels.back()->GetType(index) == VTYPE_LIST)
    levels.push_back(levels.back()->GetList(index));
  return static_cast<int>(levels.size());
}

TEST_F(V8ArrayToListTest, StringsIntegersBooleansAndArraysTravel) {
  CefRefPtr<CefListValue> list = Convert("['x', 5, false, [1, ['y']], []]");
  ASSERT_EQ(list->GetSize(), 5u);
  EXPECT_EQ(list->GetString(0).ToString(), "x");
  EXPECT_EQ(list->GetInt(1), 5);
  EXPECT_EQ(list->GetType(2), VTYPE_BOOL);
  EXPECT_FALSE(list->GetBool(2));
  CefRefPtr<CefListValue> nested = list->GetList(3);
  ASSERT_EQ(nested->GetSize(), 2u);
  EXPECT_EQ(nested->GetInt(0), 1);
  EXPECT_EQ(nested->GetList(1)->GetString(0).ToString(), "y");
  EXPECT_EQ(list->GetList(4)->GetSize(), 0u);
}

TEST_F(V8ArrayToListTest, TextKeepsEveryCodeUnit) {
  CefRefPtr<CefListValue> list = Convert("['\\u00e9', 'a\\u0000b', '\\ud83d\\ude00']");
  EXPECT_EQ(Units(list->GetString(0)), u"\u00e9");
  EXPECT_EQ(Units(list->GetString(1)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Units(list->GetString(2)), u"\U0001F600");
}

TEST_F(V8ArrayToListTest, OnlyThirtyTwoBitIntegersTravelAsNumbers) {
  CefRefPtr<CefListValue> list = Convert("[-5, 2147483647, -2147483648, 7.0]");
  ASSERT_EQ(list->GetSize(), 4u);
  EXPECT_EQ(list->GetInt(0), -5);
  EXPECT_EQ(list->GetInt(1), 2147483647);
  EXPECT_EQ(list->GetInt(2), -2147483647 - 1);
  EXPECT_EQ(list->GetInt(3), 7);
  EXPECT_EQ(Convert("[1.5, 2147483648, NaN, Infinity]")->GetSize(), 0u);
}

// CEF passes a uint32 past INT32_MAX as an int (its IsInt holds) whose
// GetIntValue is negative: it is dropped, never sent wrapped, at any depth.
TEST_F(V8ArrayToListTest, UnsignedIntegersBeyondInt32AreDroppedNotWrapped) {
  CefRefPtr<CefListValue> list =
      Convert("[3000000000, 4294967295, 2147483648, -0, 1e300, 7]");
  ASSERT_EQ(list->GetSize(), 6u);
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(list->GetType(i), VTYPE_NULL) << i;
  EXPECT_EQ(list->GetInt(5), 7);
  CefRefPtr<CefListValue> nested = Convert("[[3000000000, [4294967295]]]");
  ASSERT_EQ(nested->GetSize(), 1u);
  EXPECT_EQ(nested->GetList(0)->GetSize(), 2u);
  EXPECT_EQ(nested->GetList(0)->GetType(0), VTYPE_NULL);
  EXPECT_EQ(nested->GetList(0)->GetList(1)->GetSize(), 0u);
}

TEST_F(V8ArrayToListTest, DroppedValuesLeaveNullsOnlyBeforeLaterEntries) {
  EXPECT_EQ(Convert("[1, {k: 1}]")->GetSize(), 1u);
  CefRefPtr<CefListValue> list =
      Convert("[{k: 1}, null, undefined, function() {}, new Date(), 1]");
  ASSERT_EQ(list->GetSize(), 6u);
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(list->GetType(i), VTYPE_NULL) << i;
  EXPECT_EQ(list->GetInt(5), 1);
}

TEST_F(V8ArrayToListTest, NestingIsBoundedSoASelfContainingArrayEnds) {
  CefRefPtr<CefListValue> cyclic = Convert("(function() { var a = [1]; a.push(a); return a; })()");
  // Each level holds 1 and then the next level, down to the bound, where
  // the array itself is dropped.
  EXPECT_EQ(Depth(cyclic, 1), kMaxArrayDepth);
  std::vector<CefRefPtr<CefListValue>> levels = {cyclic};
  for (int i = 1; i < kMaxArrayDepth; ++i)
    levels.push_back(levels.back()->GetList(1));
  EXPECT_EQ(levels.back()->GetSize(), 1u);
  EXPECT_EQ(levels.back()->GetInt(0), 1);

  const std::string nest =
      "(function(n) { var a = []; for (var i = 1; i < n; ++i) a = [a]; "
      "return a; })";
  EXPECT_EQ(Depth(Convert(nest + "(64)")), 64);
  EXPECT_EQ(Depth(Convert(nest + "(65)")), 64);
  EXPECT_EQ(Depth(Convert(nest + "(1000)")), 64);
}

TEST_F(V8ArrayToListTest, ArrayLikeObjectsAreNotArrays) {
  CefRefPtr<CefListValue> list = Convert("[{0: 'a', length: 1}, 'b']");
  ASSERT_EQ(list->GetSize(), 2u);
  EXPECT_EQ(list->GetType(0), VTYPE_NULL);
}

}  // namespace
}  // namespace zubrix
