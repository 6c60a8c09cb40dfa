#include <gtest/gtest.h>

#include "include/internal/cef_string.h"
#include "include/internal/cef_types_wrappers.h"
#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/strings/u16_text.h"

namespace {

TEST(AsciiCaseTest, FoldsOnlyAsciiCapitals) {
  // The neighbours of 'A' and 'Z', and letters beyond ASCII, stay.
  EXPECT_EQ(cefsim::ToLowerAscii(std::string("@AZ[Text-9\xC3\x84")),
            "@az[text-9\xC3\x84");
  EXPECT_EQ(cefsim::ToLowerAscii(std::u16string(u"HTTP \u00C4\u0130")),
            u"http \u00C4\u0130");
}

TEST(CefStringTest, ConvertsBetweenUtf8Utf16AndWide) {
  const std::string utf8 = "a\xC3\xA9\xF0\x9F\x98\x80z";  // a é 😀 z
  CefString s(utf8);
  ASSERT_EQ(s.length(), 5u);  // The emoji takes a surrogate pair.
  EXPECT_EQ(s.c_str()[1], u'\u00e9');
  EXPECT_EQ(s.c_str()[2], 0xD83D);
  EXPECT_EQ(s.ToString(), utf8);
  EXPECT_EQ(s.ToWString(), L"a\u00e9\U0001F600z");
  EXPECT_EQ(CefString(L"a\u00e9\U0001F600z").ToString(), utf8);
}

TEST(CefStringTest, KeepsEmbeddedNulAndReplacesInvalidInput) {
  CefString nul(std::string("a\0b", 3));
  EXPECT_EQ(nul.length(), 3u);
  EXPECT_EQ(nul.ToString(), std::string("a\0b", 3));

  CefString truncated(std::string("x\xE2\x82"));
  EXPECT_EQ(cefsim::ToU16String(truncated), u"x\uFFFD\uFFFD");
  const char16 lone[] = {u'a', 0xD800, u'b'};
  EXPECT_EQ(CefString(lone, 3, true).ToString(), "a\xEF\xBF\xBD" "b");
}

TEST(CefStringTest, AsciiConvertsUnitForUnitUpToItsLastCharacter) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c)
    ascii.push_back(static_cast<char>(c));
  CefString wide(ascii);
  ASSERT_EQ(wide.length(), ascii.size());
  for (size_t i = 0; i < ascii.size(); ++i)
    EXPECT_EQ(wide.c_str()[i], static_cast<char16>(i));
  EXPECT_EQ(wide.ToString(), ascii);
  // One unit past ASCII sends the whole text down the general conversion.
  EXPECT_EQ(cefsim::ToU16String(CefString(ascii + "\x80")),
            cefsim::ToU16String(wide) + u"\uFFFD");
  const char16 beyond[] = {u'a', 0x80};
  EXPECT_EQ(CefString(beyond, 2, true).ToString(), "a\xC2\x80");
}

TEST(CefStringTest, WritesThroughToAnAttachedStructure) {
  CefSettings settings;
  CefString(&settings.cache_path) = "C:/cache";
  CefString(&settings.cache_path) = "D:/other";
  EXPECT_EQ(CefString(&settings.cache_path).ToString(), "D:/other");

  CefSettings copy(settings);
  CefString(&settings.cache_path).clear();
  EXPECT_TRUE(CefString(&settings.cache_path).empty());
  EXPECT_EQ(CefString(&copy.cache_path).ToString(), "D:/other");
}

TEST(CefStringTest, ComparesByCodeUnitsAndLength) {
  EXPECT_EQ(CefString("abc"), CefString("abc"));
  EXPECT_LT(CefString("ab"), CefString("abc"));
  EXPECT_LT(CefString(), CefString("a"));
  EXPECT_EQ(CefString(), CefString(""));
}

}  // namespace
