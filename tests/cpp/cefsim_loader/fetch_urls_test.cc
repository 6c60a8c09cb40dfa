// The stand-in's own loaders read file: and data: URLs as the URL parser
// canonicalises them.
#include <gtest/gtest.h>

#include "cefsim/src/fetch/data_url.h"
#include "cefsim/src/fetch/file_url.h"

namespace {

using cefsim::DataUrlContent;
using cefsim::FileUrlToPath;
using cefsim::ParseDataUrl;

TEST(FileUrlTest, OnlyThisMachinesFilesHavePaths) {
  EXPECT_EQ(FileUrlToPath("file:///tmp/a%20b/c.html?q#f"), "/tmp/a b/c.html");
  EXPECT_EQ(FileUrlToPath("FILE://LocalHost/tmp/x"), "/tmp/x");
  EXPECT_EQ(FileUrlToPath("file:///tmp/a/../../etc/x"), "/etc/x");
  EXPECT_EQ(FileUrlToPath("file://other/tmp/x"), "");
  EXPECT_EQ(FileUrlToPath("http://localhost/tmp/x"), "");
  EXPECT_EQ(FileUrlToPath("tmp/x"), "");
}

TEST(DataUrlTest, HeaderAndDataComeFromTheCanonicalUrl) {
  DataUrlContent content;
  ASSERT_TRUE(ParseDataUrl(" DATA:Text/HTML;base64,PGI+#a,b", &content));
  EXPECT_EQ(content.mime_type, "text/html");
  EXPECT_EQ(content.body, "<b>");

  // Bytes beyond ASCII come back as they were, and so do escapes.
  ASSERT_TRUE(ParseDataUrl("data:,a%20b\xC3\xA9", &content));
  EXPECT_EQ(content.mime_type, "text/plain");
  EXPECT_EQ(content.body, "a b\xC3\xA9");

  // A comma in the fragment does not start the data.
  EXPECT_FALSE(ParseDataUrl("data:text/plain#,x", &content));
  EXPECT_FALSE(ParseDataUrl("http://h/,x", &content));
}

}  // namespace
