#include <gtest/gtest.h>

#include <string>

#include "scheme/client_route.h"
#include "scheme/internal_folder.h"
#include "scheme/url_path.h"

namespace zubrix {
namespace {

using zubrix::ClientRoute;
using zubrix::RouteClientPath;

TEST(ClientRouteTest, ArchivePathsSplitAtTheFirstMarkerWithSlash) {
  struct Case {
    const char* path;
    const char* archive_path;
    bool has_entry_name;
    const char* entry_name;
  };
  const Case cases[] = {
      {"//plovex/D:/tools/panel.plovex/index.html", "D:/tools/panel.plovex",
       true, "index.html"},
      {"//plovex/D:/a.plovex/img/icon.png", "D:/a.plovex", true,
       "img/icon.png"},
      {"//plovex/E:/x.plovex/y.plovex/z.js", "E:/x.plovex", true,
       "y.plovex/z.js"},
      {"//plovex/E:/x.plovex/", "E:/x.plovex", true, ""},
      {"//plovex/E:/x.plovex", "E:/x.plovex", false, ""},
      // Slashes inside an entry name stay as they are.
      {"//plovex//srv/a.plovex//img//a.png", "/srv/a.plovex", true,
       "/img//a.png"},
      // ".plovex" somewhere, but not followed by a slash: no entry.
      {"//plovex/D:/a.plovexx/index.html", "D:/a.plovexx/index.html", false,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ClientRoute route = RouteClientPath(c.path);
    EXPECT_EQ(route.kind, ClientRoute::Kind::kArchive);
    EXPECT_EQ(route.archive_path, c.archive_path);
    EXPECT_EQ(route.has_entry_name, c.has_entry_name);
    EXPECT_EQ(route.entry_name, c.entry_name);
  }
}

TEST(ClientRouteTest, FolderPathsDropEmptyPiecesAndKeepTheRest) {
  struct Case {
    const char* path;
    const char* relative_path;
  };
  const Case cases[] = {
      {"//internal/index.html", "index.html"},
      {"//internal//css///site.css", "css/site.css"},
      {"//internal/ui/", "ui"},
      {"//internal/", ""},
      {"//internal/../notes.txt", "../notes.txt"},
      {"//internal/a%20b.html", "a b.html"},
      {"//internal/a.plovex/x.html", "a.plovex/x.html"},
      {"//internal/a\\b.html", "a\\b.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ClientRoute route = RouteClientPath(c.path);
    EXPECT_EQ(route.kind, ClientRoute::Kind::kFolder);
    EXPECT_EQ(route.relative_path, c.relative_path);
  }
}

// Chromium escapes a file name's spaces and non-ASCII letters in the URLs it
// requests; the route decodes them (as UTF-8, once) before any test.
TEST(ClientRouteTest, EscapesAreDecodedBeforeRouting) {
  ClientRoute archive = RouteClientPath(
      "//plovex/C:/Users/Zo%C3%AB%20Brandt/tools/p.plovex/my%20file.js");
  EXPECT_EQ(archive.kind, ClientRoute::Kind::kArchive);
  EXPECT_EQ(archive.archive_path, "C:/Users/Zo\xC3\xAB Brandt/tools/p.plovex");
  EXPECT_EQ(archive.entry_name, "my file.js");
  // The archive's marker and the folder's prefix are found once decoded.
  EXPECT_EQ(RouteClientPath("//plovex/a%2Eplovex%2Fx.js").entry_name, "x.js");
  EXPECT_EQ(RouteClientPath("//%69nternal/x.js").relative_path, "x.js");

  struct Case {
    const char* path;
    const char* relative_path;
  };
  const Case cases[] = {
      {"//internal/caf%C3%A9/a%20b.js", "caf\xC3\xA9/a b.js"},
      {"//internal/a%2520b.html", "a%20b.html"},
      {"//internal/a%2Fb%2F%2Fc", "a/b/c"},
      {"//internal/%2e%2e/secret.txt", "../secret.txt"},
      {"//internal/..%5Csecret.txt", "..\\secret.txt"},
      {"//internal/100%.html", "100%.html"},
      {"//internal/%zz%4", "%zz%4"},
      // Decoded bytes that are no UTF-8 name no file: the path stays.
      {"//internal/%FF%20.html", "%FF%20.html"},
      {"//internal/%E2%82.html", "%E2%82.html"},
      {"//internal/%C0%AE.html", "%C0%AE.html"},
      {"//internal/%ED%A0%80.html", "%ED%A0%80.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    ClientRoute route = RouteClientPath(c.path);
    EXPECT_EQ(route.kind, ClientRoute::Kind::kFolder);
    EXPECT_EQ(route.relative_path, c.relative_path);
  }
  // The folder's checks see the decoded path.
  EXPECT_TRUE(ClimbsAboveFolder(
      RouteClientPath("//internal/a/%2E%2E%2F..%2Fx").relative_path));
  EXPECT_EQ(RouteClientPath("//internal/a%00.html").relative_path,
            std::string("a\0.html", 7));
  // A NUL in an archive's path or entry names no entry.
  for (const char* path : {"//plovex/x%00y/a.plovex/e.html",
                           "//plovex/a.plovex/e%00.html"}) {
    SCOPED_TRACE(path);
    ClientRoute route = RouteClientPath(path);
    EXPECT_EQ(route.kind, ClientRoute::Kind::kArchive);
    EXPECT_FALSE(route.has_entry_name);
  }
}

TEST(ClientRouteTest, OtherPathsHaveNoRoute) {
  for (const char* path :
       {"", "/internal/index.html", "internal/index.html", "//internal",
        "//INTERNAL/index.html", "//plovex/D:/a/site/index.html",
        "//PLOVEX/D:/a.plovex/x.html", "//plovex", "//other/a.plovex/x"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(RouteClientPath(path).kind, ClientRoute::Kind::kNone);
  }
}

TEST(UrlPathTest, PathIsCutAtQueryOrFragmentAndKeptInUtf8) {
  struct Case {
    const wchar_t* url;
    const char* path;
  };
  const Case cases[] = {
      {L"client://internal/index.html", "//internal/index.html"},
      {L"client://internal/a.html?x=1#top", "//internal/a.html"},
      {L"client://internal/a.html#f?g", "//internal/a.html"},
      {L"client:", ""},
      {L"no colon at all", ""},
      {L"", ""},
      // Beyond ASCII in the path, also past the Basic Multilingual Plane.
      {L"client://internal/caf\u00e9/\U0001F600.html?q",
       "//internal/caf\xC3\xA9/\xF0\x9F\x98\x80.html"},
      // Beyond ASCII only outside the path.
      {L"client://internal/a.html?caf\u00e9", "//internal/a.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(PathOfCanonicalUrl(CefString(c.url)), c.path);
  }
}

TEST(UrlPathTest, UrlsRouteAsTheirPaths) {
  for (const wchar_t* url :
       {L"client://internal//ui///index.html?x#y", L"client://internal/",
        L"client://internal", L"client://internal/caf\u00e9/\U0001F600.html",
        L"client://internal/a.html?caf\u00e9", L"client://plovex/D:/a.plovex/x",
        L"client://plovex/D:/caf\u00e9.plovex/x.js#f", L"client://other/x",
        L"client://internal/a%20b/%2e%2e/c.js", L"client://%69nternal/x",
        L"client://plovex/D:/a%20b.plovex/x%20y.js",
        L"client:", L""}) {
    const CefString text(url);
    SCOPED_TRACE(text.ToString());
    const ClientRoute expected = RouteClientPath(PathOfCanonicalUrl(text));
    const ClientRoute route = zubrix::RouteClientUrl(text);
    EXPECT_EQ(route.kind, expected.kind);
    EXPECT_EQ(route.relative_path, expected.relative_path);
    EXPECT_EQ(route.archive_path, expected.archive_path);
    EXPECT_EQ(route.has_entry_name, expected.has_entry_name);
    EXPECT_EQ(route.entry_name, expected.entry_name);
  }
  EXPECT_EQ(zubrix::RouteClientUrl(CefString(L"client://internal//a//b.js"))
                .relative_path,
            "a/b.js");
}

TEST(InternalFolderTest, ClimbingIsCountedOverBothSeparators) {
  for (const char* inside :
       {"", "index.html", "a/../b.html", "a/b/../../c", "./x", "a\\..\\b",
        "a//..//b", "..a/b", "a/..."}) {
    SCOPED_TRACE(inside);
    EXPECT_FALSE(zubrix::ClimbsAboveFolder(inside));
  }
  for (const char* above :
       {"..", "../notes.txt", "a/../../b", "a\\..\\..\\b", "..\\x",
        "a/..\\../b", "./../x", "a/b/../../../c/d/e"}) {
    SCOPED_TRACE(above);
    EXPECT_TRUE(zubrix::ClimbsAboveFolder(above));
  }
}

}  // namespace
}  // namespace zubrix
