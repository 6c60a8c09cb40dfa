#include <gtest/gtest.h>

#include <string>

#include "include/cef_parser.h"
#include "cefsim/src/render/url_resolution.h"

namespace {

struct Parts {
  std::string spec, scheme, username, password, host, port, origin, path,
      query;
};

bool Parse(const std::string& url, Parts* parts) {
  CefURLParts raw;
  if (!CefParseURL(url, raw))
    return false;
  auto field = [](const cef_string_t& value) {
    return CefString(&value).ToString();
  };
  *parts = {field(raw.spec), field(raw.scheme), field(raw.username),
            field(raw.password), field(raw.host), field(raw.port),
            field(raw.origin), field(raw.path), field(raw.query)};
  return true;
}

TEST(UrlParserTest, StandardSchemesAreSplitAndCanonicalised) {
  Parts parts;
  ASSERT_TRUE(Parse("HTTP://User:Pw@Example.COM:8080/a/./b/../c?q=1 2#f",
                    &parts));
  EXPECT_EQ(parts.spec, "http://User:Pw@example.com:8080/a/c?q=1%202#f");
  EXPECT_EQ(parts.scheme, "http");
  EXPECT_EQ(parts.username, "User");
  EXPECT_EQ(parts.password, "Pw");
  EXPECT_EQ(parts.host, "example.com");
  EXPECT_EQ(parts.port, "8080");
  EXPECT_EQ(parts.origin, "http://example.com:8080/");
  EXPECT_EQ(parts.path, "/a/c");
  EXPECT_EQ(parts.query, "q=1%202");

  ASSERT_TRUE(Parse("https://h:443", &parts));
  EXPECT_EQ(parts.spec, "https://h/");
  EXPECT_EQ(parts.port, "");
  EXPECT_EQ(parts.path, "/");

  ASSERT_TRUE(Parse("http:\\\\h\\x\\..\\y\\", &parts));
  EXPECT_EQ(parts.spec, "http://h/y/");

  ASSERT_TRUE(Parse("http://h/a/b/..", &parts));
  EXPECT_EQ(parts.path, "/a/");
  ASSERT_TRUE(Parse("http://h/../../x", &parts));
  EXPECT_EQ(parts.path, "/x");

  // Escapes of unreserved characters are decoded; others stay.
  ASSERT_TRUE(Parse("file:///tmp/a b/%41%2F%2e.html", &parts));
  EXPECT_EQ(parts.spec, "file:///tmp/a%20b/A%2F..html");
  EXPECT_EQ(parts.host, "");
  EXPECT_EQ(parts.path, "/tmp/a%20b/A%2F..html");
  EXPECT_EQ(parts.origin, "file:///");

  ASSERT_TRUE(Parse("  ws://h:81/p\n", &parts));
  EXPECT_EQ(parts.spec, "ws://h:81/p");
}

// Chromium of this CEF version still counts gopher: among the standard
// schemes, with port 70 as its default.
TEST(UrlParserTest, GopherIsStandard) {
  Parts parts;
  ASSERT_TRUE(Parse("GOPHER://Host:70/1/./x", &parts));
  EXPECT_EQ(parts.spec, "gopher://host/1/x");
  EXPECT_EQ(parts.host, "host");
  EXPECT_EQ(parts.port, "");
  // Extra slashes before the host go, as for http:.
  ASSERT_TRUE(Parse("gopher:///x", &parts));
  EXPECT_EQ(parts.spec, "gopher://x/");
  EXPECT_FALSE(Parse("gopher://", &parts));
}

TEST(UrlParserTest, OtherSchemesKeepEverythingAfterTheColonAsPath) {
  Parts parts;
  ASSERT_TRUE(Parse("Client://internal//a%20b.html?x=1#y", &parts));
  EXPECT_EQ(parts.scheme, "client");
  EXPECT_EQ(parts.spec, "client://internal//a%20b.html?x=1#y");
  EXPECT_EQ(parts.path, "//internal//a%20b.html");
  EXPECT_EQ(parts.query, "x=1");
  EXPECT_EQ(parts.host, "");
  EXPECT_EQ(parts.origin, "");

  ASSERT_TRUE(Parse("client://plovex/D:/a.plovex/../<b>#x?y", &parts));
  EXPECT_EQ(parts.path, "//plovex/D:/a.plovex/../<b>");
  EXPECT_EQ(parts.query, "");

  ASSERT_TRUE(Parse("client://internal/caf\xC3\xA9 a\x01.html?x y", &parts));
  EXPECT_EQ(parts.path, "//internal/caf%C3%A9 a%01.html");
  EXPECT_EQ(parts.query, "x y");
  EXPECT_EQ(parts.spec, "client://internal/caf%C3%A9 a%01.html?x y");

  ASSERT_TRUE(Parse("client:internal\\x", &parts));
  EXPECT_EQ(parts.path, "internal\\x");
  ASSERT_TRUE(Parse("client:", &parts));
  EXPECT_EQ(parts.path, "");
  ASSERT_TRUE(Parse("data:text/html,<p>a</p>", &parts));
  EXPECT_EQ(parts.path, "text/html,<p>a</p>");
  ASSERT_TRUE(Parse("about:blank", &parts));
  EXPECT_EQ(parts.path, "blank");
}

// As Chromium's CanonicalizePathURL (url_canon_pathurl.cc): a path URL's
// path, query and fragment keep every ASCII character, only control
// characters and non-ASCII ones (as UTF-8) escaped.
TEST(UrlParserTest, ClientUrlsAreCanonicalisedAsChromiumsPathUrls) {
  Parts parts;
  ASSERT_TRUE(Parse("CLIENT://plovex/C:/Users/Zo\xC3\xAB Brandt//t\\..\\x/%2e/"
                    "../p.plovex/a b.html?q r\x7F#f g",
                    &parts));
  EXPECT_EQ(parts.path,
            "//plovex/C:/Users/Zo%C3%AB Brandt//t\\..\\x/%2e/../p.plovex/a b.html");
  EXPECT_EQ(parts.query, "q r\x7F");
  EXPECT_EQ(parts.spec,
            "client://plovex/C:/Users/Zo%C3%AB Brandt//t\\..\\x/%2e/../"
            "p.plovex/a b.html?q r\x7F#f g");
}

TEST(UrlParserTest, InvalidUrlsAreRefused) {
  Parts parts;
  for (const char* url :
       {"", "   ", "index.html", "//internal/index.html", "1abc:x", ":x",
        "cl ient://x", "http://", "http:///", "http://exa mple.com/",
        "http://h:99999/", "http://h:8a/", "http://a<b/", "https://[::1/"}) {
    SCOPED_TRACE(url);
    EXPECT_FALSE(Parse(url, &parts));
  }
}

TEST(UrlParserTest, CreateUrlNeedsASpecOrASchemeAndHost) {
  CefURLParts parts;
  CefString url;
  EXPECT_FALSE(CefCreateURL(parts, url));

  CefString(&parts.scheme).FromString("http");
  CefString(&parts.host).FromString("Example.com");
  CefString(&parts.port).FromString("80");
  CefString(&parts.path).FromString("/a/../b");
  CefString(&parts.query).FromString("x=1");
  ASSERT_TRUE(CefCreateURL(parts, url));
  EXPECT_EQ(url.ToString(), "http://example.com/b?x=1");

  CefURLParts from_spec;
  CefString(&from_spec.spec).FromString("client://internal/x");
  ASSERT_TRUE(CefCreateURL(from_spec, url));
  EXPECT_EQ(url.ToString(), "client://internal/x");
}

TEST(UrlResolutionTest, ReferencesResolveAgainstHierarchicalBases) {
  using cefsim::ResolveUrl;
  EXPECT_EQ(ResolveUrl("client://internal/a/b/page.html", "../c/./s.js?x#y"),
            "client://internal/a/c/s.js?x#y");
  EXPECT_EQ(ResolveUrl("http://h/a/b", "/x/../y"), "http://h/y");
  EXPECT_EQ(ResolveUrl("http://h/a/b/c", "%2E%2e/d"), "http://h/a/d");
  EXPECT_EQ(ResolveUrl("http://h/a/", "../../.."), "http://h/");
  EXPECT_EQ(ResolveUrl("http://h/a/b?q#f", "?z"), "http://h/a/b?z");
  EXPECT_EQ(ResolveUrl("http://h/a/b#f", "#g"), "http://h/a/b#g");
  EXPECT_EQ(ResolveUrl("http://h/a/b", "//other/z"), "http://other/z");
  EXPECT_EQ(ResolveUrl("http://h/a", "file:///x"), "file:///x");
  EXPECT_EQ(ResolveUrl("data:text/html,x", "a.js"), "");
}

// As Chromium's url::ResolveRelative against a non-standard base with an
// authority: the base is parsed as a standard URL and copied up to its
// path's last slash as it stands; the reference's path goes through
// CanonicalizePartialPath's rules.
TEST(UrlResolutionTest, RelativePartsOfClientUrlsFollowTheStandardPathRules) {
  using cefsim::ResolveUrl;
  const std::string base =
      "client://plovex/C:/Users/Zo%C3%AB Brandt/tools/p.plovex/index.html";
  const std::string folder =
      "client://plovex/C:/Users/Zo%C3%AB Brandt/tools/p.plovex/";
  EXPECT_EQ(ResolveUrl(base, "my file.js"), folder + "my%20file.js");
  EXPECT_EQ(ResolveUrl(base, " sub\\x.js\n"), folder + "sub/x.js");
  EXPECT_EQ(ResolveUrl(base, "%41%7e%2F%25.js"), folder + "A~%2F%25.js");
  EXPECT_EQ(ResolveUrl(base, "caf\xC3\xA9.js"), folder + "caf%C3%A9.js");
  EXPECT_EQ(ResolveUrl(base, "a|b^c{}`\"<>.js"),
            folder + "a%7Cb%5Ec%7B%7D%60%22%3C%3E.js");
  EXPECT_EQ(ResolveUrl(base, "!$&'()*+,;=:@[]-_.js"),
            folder + "!$&'()*+,;=:@[]-_.js");
  EXPECT_EQ(ResolveUrl(base, "50%.js?a b#c d"), folder + "50%.js?a%20b#c d");
  EXPECT_EQ(ResolveUrl(base, "./x/%2e%2E/y.js"), folder + "y.js");
  EXPECT_EQ(ResolveUrl(base, "../../x.js"),
            "client://plovex/C:/Users/Zo%C3%AB Brandt/x.js");
  EXPECT_EQ(ResolveUrl(base, "../../../../../../../y.js"), "client://plovex/y.js");
  EXPECT_EQ(ResolveUrl(base, "/z.js"), "client://plovex/z.js");
  // The base is not canonicalised again.
  EXPECT_EQ(ResolveUrl("client://internal/a/../b c/page.html", "x.js"),
            "client://internal/a/../b c/x.js");
  // A NUL makes the URL invalid, escaped or not.
  EXPECT_EQ(ResolveUrl(base, "a%00b.js"), "");
  EXPECT_EQ(ResolveUrl(base, std::string("a\0b.js", 5)), "");
}

}  // namespace
