#include <gtest/gtest.h>

#include <string>

#include "scheme/mime_types.h"
#include "scheme/not_found_page.h"

namespace zubrix {
namespace {

TEST(MimeTypesTest, FirstRuleFoundAnywhereInTheNameWins) {
  struct Case {
    const char* name;
    const char* mime_type;
  };
  const Case cases[] = {
      {"index.html", "text/html"},
      {"app.js", "application/javascript"},
      {"app.json", "application/javascript"},
      {"site.css", "text/css"},
      {"icon.png", "image/png"},
      {"photo.jpg", "image/jpg"},
      {"logo.svg", "image/svg+xml"},
      {"logo.svg.png", "image/svg+xml"},
      {"photo.JPG", "text/html"},
      {"photo.jpeg", "text/html"},
      {"notes.txt", "text/html"},
      {"D:/lib.js/index.html", "application/javascript"},
      {"D:/lib.js/logo.svg", "image/svg+xml"},
      {"", "text/html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(zubrix::GetMimeType(c.name).ToString(), c.mime_type);
  }
}

const char kPageHead[] =
    "<html><head><title>Not Found File</title></head><body bgcolor=\"white\">"
    "Cannot Serve File:";

TEST(NotFoundPageTest, HeadNameAndTailWithNothingElse) {
  EXPECT_EQ(sizeof(kPageHead) - 1, 88u);
  const std::string page = zubrix::NotFoundPage("D:/content/missing.html");
  EXPECT_EQ(page,
            std::string(kPageHead) + "D:/content/missing.html</body>");
  EXPECT_EQ(page.size(), 95u + 23u);
  EXPECT_EQ(zubrix::NotFoundPage(""), std::string(kPageHead) + "</body>");
}

TEST(NotFoundPageTest, MarkupInTheNameIsEscaped) {
  EXPECT_EQ(zubrix::NotFoundPage("<script>x('a' && \"b\")</script>"),
            std::string(kPageHead) +
                "&lt;script&gt;x(&#39;a&#39; &amp;&amp; &quot;b&quot;)"
                "&lt;/script&gt;</body>");
  // An entity already in the name is escaped again, not trusted.
  EXPECT_EQ(zubrix::NotFoundPage("&lt;b&gt;"),
            std::string(kPageHead) + "&amp;lt;b&amp;gt;</body>");
  // Bytes beyond ASCII pass through untouched.
  EXPECT_EQ(zubrix::NotFoundPage("caf\xC3\xA9"),
            std::string(kPageHead) + "caf\xC3\xA9</body>");
}

}  // namespace
}  // namespace zubrix
