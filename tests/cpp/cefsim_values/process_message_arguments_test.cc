// A process message owns its argument list, as CEF's does.
#include "gtest/gtest.h"
#include "include/cef_process_message.h"

namespace {

TEST(ProcessMessageArgumentsTest, SettingTheListElsewhereCopiesIt) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("m");
  CefRefPtr<CefListValue> arguments = message->GetArgumentList();
  EXPECT_TRUE(arguments->IsOwned());
  EXPECT_FALSE(arguments->IsReadOnly());
  arguments->SetString(0, "kept");
  EXPECT_EQ(message->GetArgumentList()->GetString(0).ToString(), "kept");

  CefRefPtr<CefListValue> list = CefListValue::Create();
  ASSERT_TRUE(list->SetList(0, arguments));
  CefRefPtr<CefDictionaryValue> dictionary = CefDictionaryValue::Create();
  ASSERT_TRUE(dictionary->SetList("k", message->GetArgumentList()));
  CefRefPtr<CefValue> value = CefValue::Create();
  ASSERT_TRUE(value->SetList(arguments));
  ASSERT_TRUE(list->SetValue(1, value));

  // The message's list is intact and still its own.
  EXPECT_TRUE(arguments->IsValid());
  EXPECT_TRUE(arguments->IsOwned());
  EXPECT_TRUE(message->GetArgumentList()->IsSame(arguments));
  ASSERT_EQ(message->GetArgumentList()->GetSize(), 1u);
  // The copies go their own way.
  list->GetList(0)->SetString(0, "changed");
  dictionary->GetList("k")->SetString(0, "changed");
  EXPECT_EQ(arguments->GetString(0).ToString(), "kept");
  arguments->SetInt(1, 2);
  EXPECT_EQ(list->GetList(0)->GetSize(), 1u);
  EXPECT_EQ(list->GetList(1)->GetSize(), 1u);
}

TEST(ProcessMessageArgumentsTest, ACopyHasItsOwnArguments) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create("m");
  message->GetArgumentList()->SetInt(0, 1);
  CefRefPtr<CefProcessMessage> copy = message->Copy();
  copy->GetArgumentList()->SetInt(0, 2);
  EXPECT_EQ(message->GetArgumentList()->GetInt(0), 1);
  EXPECT_EQ(copy->GetName().ToString(), "m");
  EXPECT_TRUE(copy->GetArgumentList()->IsOwned());
}

}  // namespace
