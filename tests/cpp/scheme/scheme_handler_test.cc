#include <stdlib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "internal_folder_fixture.h"
#include "scheme/not_found_page.h"
#include "scheme_handler_driver.h"

namespace zubrix {
namespace {

TEST_F(InternalFolderRouteTest, ServesFilesWithTheTypeOfTheirPath) {
  root_.WriteFile("content/index.html", "<p>hello</p>");
  root_.WriteFile("content/css/site.css", "p {}");
  root_.WriteFile("content/a%20b.html", "literal");
  root_.WriteFile("content/up.js", "var up;");

  ServedRequest index = ServeUrl("client://internal/index.html");
  EXPECT_TRUE(index.taken);
  EXPECT_EQ(index.continued, 1);
  EXPECT_EQ(index.status, 200);
  EXPECT_EQ(index.mime_type, "text/html");
  EXPECT_EQ(index.length, 12);
  EXPECT_EQ(index.body, "<p>hello</p>");

  ServedRequest css = ServeUrl("client://internal//css///site.css");
  EXPECT_EQ(css.mime_type, "text/css");
  EXPECT_EQ(css.body, "p {}");

  // Escapes are decoded once: a name with "%20" in it is asked for as such.
  EXPECT_EQ(ServeUrl("client://internal/a%2520b.html").body, "literal");
  // ".." that stays inside the folder is allowed.
  EXPECT_EQ(ServeUrl("client://internal/css/../up.js").body, "var up;");
  // The query plays no role.
  EXPECT_EQ(ServeUrl("client://internal/up.js?v=2#top").body, "var up;");
}

TEST_F(InternalFolderRouteTest, WholePathIncludingFoldersPicksTheType) {
  std::string folder = root_.MakeFolder("lib.js");
  root_.WriteFile("lib.js/index.html", "x");
  root_.WriteFile("lib.js/logo.svg", "<svg/>");
  setenv("CEF_PLOVEX_INTERNAL", folder.c_str(), 1);
  EXPECT_EQ(ServeUrl("client://internal/index.html").mime_type,
            "application/javascript");
  EXPECT_EQ(ServeUrl("client://internal/logo.svg").mime_type, "image/svg+xml");
}

TEST_F(InternalFolderRouteTest, UnreadableThingsGetTheNotFoundPage) {
  root_.MakeFolder("content/ui");
  ExpectNotFound(ServeUrl("client://internal/missing.html"),
                 folder_ + "/missing.html");
  // A folder opens on POSIX but cannot be read: never an empty 200 body.
  ExpectNotFound(ServeUrl("client://internal/ui/"), folder_ + "/ui");
  ExpectNotFound(ServeUrl("client://internal/"), folder_ + "/");
}

TEST_F(InternalFolderRouteTest, ClimbingAboveTheFolderIsRefused) {
  root_.WriteFile("secret.txt", "secret");
  root_.WriteFile("content/sub/keep.txt", "kept");
  const char* const escapes[] = {
      "client://internal/../secret.txt",
      "client://internal/sub/../../secret.txt",
      "client://internal/sub\\..\\..\\secret.txt",
      "client://internal/sub/..\\../secret.txt",
      "client://internal/./../secret.txt",
  };
  for (const char* url : escapes) {
    SCOPED_TRACE(url);
    const std::string relative =
        std::string(url).substr(strlen("client://internal/"));
    ServedRequest served = ServeUrl(url);
    ExpectNotFound(served, folder_ + "/" + relative);
    EXPECT_EQ(served.body.find("secret</"), std::string::npos);
  }
}

TEST_F(InternalFolderRouteTest, NoFolderReadsNothing) {
  // Without the fix these would be read from the file system's root.
  unsetenv("CEF_PLOVEX_INTERNAL");
  ExpectNotFound(ServeUrl("client://internal/etc/passwd"), "/etc/passwd");
  setenv("CEF_PLOVEX_INTERNAL", "", 1);
  ExpectNotFound(ServeUrl("client://internal/etc/passwd"), "/etc/passwd");
}

TEST_F(InternalFolderRouteTest, EnvironmentIsReadWholeAtEveryRequest) {
  root_.WriteFile("content/page.html", "first");
  // A folder name far beyond any small fixed buffer.
  const std::string deep = "content/" + std::string(120, 'd') + "/" +
                           std::string(120, 'e') + "/" + std::string(120, 'f');
  root_.WriteFile(deep + "/page.html", "second");
  EXPECT_EQ(ServeUrl("client://internal/page.html").body, "first");
  setenv("CEF_PLOVEX_INTERNAL", root_.Path(deep).c_str(), 1);
  ASSERT_GT(root_.Path(deep).size(), 256u);
  EXPECT_EQ(ServeUrl("client://internal/page.html").body, "second");
  // Nothing is cached: a change on disk shows at the next request.
  root_.WriteFile(deep + "/page.html", "third");
  EXPECT_EQ(ServeUrl("client://internal/page.html").body, "third");
}

TEST_F(InternalFolderRouteTest, MarkupInAMissingNameIsEscaped) {
  ServedRequest served =
      ServeUrl("client://internal/<script>host.call_python_callback(0,[])"
               "</script>.html");
  EXPECT_EQ(served.mime_type, "text/html");
  EXPECT_EQ(served.body.find("<script>"), std::string::npos);
  EXPECT_NE(served.body.find("&lt;script&gt;host.call_python_callback"),
            std::string::npos);
  ServedRequest quoted = ServeUrl("client://internal/\"'&.html");
  EXPECT_NE(quoted.body.find("/&quot;&#39;&amp;.html</body>"),
            std::string::npos);
}

TEST_F(InternalFolderRouteTest, BodyIsHandedOutInPiecesOfTheAskedSize) {
  std::string large(150000, '\0');
  for (size_t i = 0; i < large.size(); ++i)
    large[i] = static_cast<char>(i * 7 + i / 256);
  root_.WriteFile("content/large.png", large);

  ServedRequest served = ServeUrl("client://internal/large.png");
  EXPECT_EQ(served.length, 150000);
  EXPECT_EQ(served.mime_type, "image/png");
  EXPECT_EQ(served.pieces, (std::vector<int>{65536, 65536, 18928}));
  EXPECT_EQ(served.body, large);

  ServedRequest small_pieces = ServeUrl("client://internal/large.png", 40000);
  EXPECT_EQ(small_pieces.pieces,
            (std::vector<int>{40000, 40000, 40000, 30000}));
  EXPECT_EQ(small_pieces.body, large);
}

TEST_F(InternalFolderRouteTest, EmptyFileHasLengthZeroAndNoPieces) {
  root_.WriteFile("content/empty.js", "");
  ServedRequest served = ServeUrl("client://internal/empty.js");
  EXPECT_TRUE(served.taken);
  EXPECT_EQ(served.status, 200);
  EXPECT_EQ(served.mime_type, "application/javascript");
  EXPECT_EQ(served.length, 0);
  EXPECT_TRUE(served.pieces.empty());
}

TEST_F(InternalFolderRouteTest, NegativeReadSizeCopiesNothing) {
  root_.WriteFile("content/a.html", "abc");
  ServedRequest served = ServeUrl("client://internal/a.html", -5);
  EXPECT_TRUE(served.pieces.empty());
  EXPECT_EQ(served.body, "");
  EXPECT_EQ(served.cancelled, 0);
}

TEST(SchemeHandlerTest, UnroutableUrlsAreRefusedWithoutContinuing) {
  for (const char* url :
       {"client:/internal/index.html", "client:internal/index.html",
        "client://internal", "client://INTERNAL/index.html",
        "client://plovex/D:/a/site/index.html", "not a url", ""}) {
    SCOPED_TRACE(url);
    ServedRequest served = ServeUrl(url);
    EXPECT_FALSE(served.taken);
    EXPECT_EQ(served.continued, 0);
    EXPECT_EQ(served.cancelled, 0);
  }
}

}  // namespace
}  // namespace zubrix
