// The stand-in's API types are CEF 3.3163's for Linux and accept no more, so
// that code which builds here only because the stand-in is kinder fails here
// too, not first on the target.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <type_traits>
#include <utility>

#include "include/base/cef_string16.h"
#include "include/cef_values.h"
#include "include/internal/cef_string.h"

namespace {

// char16 is an unsigned short there, not char16_t: char16_t text converts
// to nothing CEF takes.
static_assert(std::is_same<char16, unsigned short>::value &&
                  std::is_same<base::char16, char16>::value,
              "char16 as CEF's");
static_assert(std::is_same<base::string16::traits_type,
                           base::string16_char_traits>::value,
              "string16 with CEF's own character traits");
static_assert(std::is_same<CefString::char_type, char16>::value,
              "CefString holds char16 units");
static_assert(!std::is_constructible<CefString, const char16_t*>::value &&
                  !std::is_constructible<CefString, std::u16string>::value &&
                  !std::is_assignable<CefString&, std::u16string>::value &&
                  !std::is_assignable<CefString&, const char16_t*>::value,
              "no CefString from char16_t text");
static_assert(!std::is_convertible<CefString, std::u16string>::value &&
                  !std::is_constructible<std::u16string, base::string16>::value,
              "no char16_t text from CefString");

// CefRefPtr is scoped_refptr itself, which cannot move.
static_assert(std::is_same<CefRefPtr<CefValue>, scoped_refptr<CefValue>>::value,
              "CefRefPtr as CEF's alias");
static_assert(std::is_same<CefRawPtr<CefValue>, CefValue*>::value,
              "CefRawPtr as CEF's alias");

// Copying a struct into its wrapper is explicit where CEF makes it so.
static_assert(!std::is_convertible<cef_main_args_t, CefMainArgs>::value &&
                  std::is_constructible<CefMainArgs, cef_main_args_t>::value,
              "CefMainArgs from its struct only explicitly");

TEST(ApiTypesTest, MovingACefRefPtrCopiesIt) {
  CefRefPtr<CefValue> value = CefValue::Create();
  CefRefPtr<CefValue> moved(std::move(value));
  ASSERT_TRUE(value.get());
  EXPECT_EQ(value.get(), moved.get());
  EXPECT_FALSE(moved->HasOneRef());
}

TEST(ApiTypesTest, String16WorksAsAStandardString) {
  const char16 units[] = {'b', 'a', 0xD83D, 0xDE00, 'a', 0};
  base::string16 text(units);
  ASSERT_EQ(text.size(), 5u);
  EXPECT_EQ(text.find('a'), 1u);
  EXPECT_EQ(text.rfind('a'), 4u);
  EXPECT_EQ(text.find(0xDE00), 3u);
  EXPECT_EQ(text.find('z'), base::string16::npos);

  base::string16 shorter = text.substr(0, 2);
  EXPECT_LT(shorter, text);
  EXPECT_LT(text, base::string16(1, 'c'));
  EXPECT_EQ(text.compare(0, 2, shorter), 0);

  // Inserting into itself moves overlapping units.
  text.insert(1, text, 0, 4);
  EXPECT_EQ(CefString(text).ToString(),
            "bba\xF0\x9F\x98\x80"
            "a\xF0\x9F\x98\x80"
            "a");
  text.assign(3, 'x');
  EXPECT_EQ(CefString(text).ToString(), "xxx");
  EXPECT_EQ(CefString(text).ToString16(), text);
}

TEST(ApiTypesTest, String16PrintsAsUtf8) {
  std::ostringstream out;
  out << CefString("a\xC3\xA9\xF0\x9F\x98\x80").ToString16();
  EXPECT_EQ(out.str(), "a\xC3\xA9\xF0\x9F\x98\x80");
}

}  // namespace
