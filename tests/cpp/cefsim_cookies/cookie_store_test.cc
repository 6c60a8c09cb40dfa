#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cefsim/src/cookies/cookie_store.h"

namespace cefsim {
namespace {

CefCookie MakeCookie(const std::string& name, const std::string& value,
                     const std::string& domain = "",
                     const std::string& path = "") {
  CefCookie cookie;
  CefString(&cookie.name).FromString(name);
  CefString(&cookie.value).FromString(value);
  CefString(&cookie.domain).FromString(domain);
  CefString(&cookie.path).FromString(path);
  return cookie;
}

bool Set(CookieStore& store, const std::string& url, const CefCookie& cookie) {
  CookieUrl parsed = ParseCookieUrl(url);
  return parsed.valid && store.Set(parsed, cookie);
}

// "domain path" for each stored cookie, in listing order.
std::vector<std::string> Places(CookieStore& store) {
  std::vector<std::string> places;
  for (const CanonicalCookie& cookie : store.Cookies())
    places.push_back(cookie.domain + " " + cookie.path);
  return places;
}

TEST(CookieUrlTest, ValidityFollowsGurl) {
  for (const char* invalid : {"", "example.com", "1http://a.com", "http://",
                              "http://exa mple.com/", "http://a.com:99999/",
                              "http://a.com:8x/", "http:///?q"}) {
    EXPECT_FALSE(ParseCookieUrl(invalid).valid) << invalid;
  }
  CookieUrl url = ParseCookieUrl("  HTTP://user:pw@WWW.Example.COM:8080\\a\\b?q#r ");
  ASSERT_TRUE(url.valid);
  EXPECT_EQ(url.scheme, "http");
  EXPECT_EQ(url.host, "www.example.com");
  EXPECT_EQ(url.path, "/a/b");
  EXPECT_EQ(ParseCookieUrl("http://a.com").path, "/");
  // The path is the canonical one, as the URL parser gives it.
  EXPECT_EQ(ParseCookieUrl("http://a.com/x/./y/../z w").path, "/x/z%20w");
  EXPECT_EQ(ParseCookieUrl("gopher://G.com").host, "g.com");
  EXPECT_TRUE(ParseCookieUrl("http://10.0.0.1/").host_is_ip);
  EXPECT_TRUE(ParseCookieUrl("http://[::1]:80/").host_is_ip);
  // A non-standard scheme keeps everything after its colon as the path.
  CookieUrl client = ParseCookieUrl("client://internal/x.html?y");
  ASSERT_TRUE(client.valid);
  EXPECT_EQ(client.host, "");
  EXPECT_EQ(client.path, "//internal/x.html");
}

TEST(CookieStoreTest, OnlyCookieableSchemesTakeCookies) {
  CookieStore store;
  for (const char* url : {"http://a.com/", "https://b.com/", "ws://c.com/",
                          "wss://d.com/"})
    EXPECT_TRUE(Set(store, url, MakeCookie("n", "v"))) << url;
  EXPECT_FALSE(Set(store, "file:///tmp/x", MakeCookie("n", "v")));
  EXPECT_FALSE(Set(store, "client://internal/", MakeCookie("n", "v")));
  store.SetSupportedSchemes({"client"});
  EXPECT_TRUE(Set(store, "client://internal/", MakeCookie("n", "v")));
  EXPECT_EQ(store.Cookies().size(), 5u);
}

TEST(CookieStoreTest, RefusesTextACookieLineWouldCut) {
  CookieStore store;
  const char* url = "http://example.com/";
  EXPECT_FALSE(Set(store, url, MakeCookie("a=b", "v")));
  EXPECT_FALSE(Set(store, url, MakeCookie("a;b", "v")));
  EXPECT_FALSE(Set(store, url, MakeCookie("n", "a;b")));
  EXPECT_FALSE(Set(store, url, MakeCookie("n", std::string("a\0b", 3))));
  EXPECT_FALSE(Set(store, url, MakeCookie("n", "a\nb")));
  EXPECT_FALSE(Set(store, url, MakeCookie("n", "a\x7f")));
  EXPECT_FALSE(Set(store, url, MakeCookie(" n", "v")));
  EXPECT_FALSE(Set(store, url, MakeCookie("n", "v ")));
  EXPECT_FALSE(Set(store, url, MakeCookie("n", "v", "", "/a;b")));
  EXPECT_TRUE(store.Cookies().empty());
  // Inner spaces and tabs, '=' in a value, non-ASCII text and empty parts
  // all survive.
  EXPECT_TRUE(Set(store, url, MakeCookie("a b\tc", "x=y \xc3\xa9")));
  EXPECT_TRUE(Set(store, url, MakeCookie("", "")));
  EXPECT_EQ(store.Cookies().size(), 2u);
}

TEST(CookieStoreTest, DomainMustContainTheUrlsHost) {
  CookieStore store;
  EXPECT_TRUE(Set(store, "http://www.example.com/", MakeCookie("a", "1")));
  EXPECT_TRUE(Set(store, "http://www.example.com/",
                  MakeCookie("b", "1", "EXAMPLE.com")));
  EXPECT_TRUE(Set(store, "http://www.example.com/",
                  MakeCookie("c", "1", ".www.example.com")));
  EXPECT_TRUE(Set(store, "http://10.0.0.1/", MakeCookie("d", "1", "10.0.0.1")));
  EXPECT_EQ(Places(store),
            (std::vector<std::string>{"www.example.com /", ".example.com /",
                                      ".www.example.com /", "10.0.0.1 /"}));

  for (const char* domain : {"other.com", "sub.www.example.com", "com",
                             ".com", "ample.com", "exa%6Dple.com", "."}) {
    EXPECT_FALSE(Set(store, "http://www.example.com/",
                     MakeCookie("e", "1", domain)))
        << domain;
  }
  // Single-label hosts and IP addresses have host-only cookies only.
  EXPECT_FALSE(Set(store, "http://localhost/", MakeCookie("f", "1", "localhost")));
  EXPECT_FALSE(Set(store, "http://10.0.0.1/", MakeCookie("g", "1", "0.0.1")));
  EXPECT_EQ(store.Cookies().size(), 4u);
}

TEST(CookieStoreTest, PathDefaultsToTheUrlsDirectoryAndIsEscaped) {
  CookieStore store;
  EXPECT_TRUE(Set(store, "http://a.com/x/y/page", MakeCookie("a", "1")));
  EXPECT_TRUE(Set(store, "http://a.com/page", MakeCookie("b", "1")));
  EXPECT_TRUE(Set(store, "http://a.com/x/", MakeCookie("c", "1", "", "/p q\"\xc3\xa9")));
  EXPECT_FALSE(Set(store, "http://a.com/x/", MakeCookie("d", "1", "", "rel")));
  EXPECT_EQ(Places(store),
            (std::vector<std::string>{"a.com /p%20q%22%C3%A9", "a.com /x/y",
                                      "a.com /"}));
}

TEST(CookieStoreTest, SecureCookiesNeedASecureScheme) {
  CookieStore store;
  CefCookie cookie = MakeCookie("s", "1");
  cookie.secure = 1;
  EXPECT_FALSE(Set(store, "http://a.com/", cookie));
  EXPECT_FALSE(Set(store, "ws://a.com/", cookie));
  EXPECT_TRUE(Set(store, "https://a.com/", cookie));
  EXPECT_TRUE(Set(store, "wss://b.com/", cookie));
  EXPECT_EQ(store.Cookies().size(), 2u);
}

TEST(CookieStoreTest, EquivalentCookiesReplaceAndOrderIsLongestPathFirst) {
  CookieStore store;
  EXPECT_TRUE(Set(store, "http://a.com/", MakeCookie("n", "old", "", "/")));
  EXPECT_TRUE(Set(store, "http://a.com/", MakeCookie("n", "long", "", "/long")));
  EXPECT_TRUE(Set(store, "http://a.com/", MakeCookie("m", "second", "", "/")));
  EXPECT_TRUE(Set(store, "http://a.com/", MakeCookie("n", "new", "", "/")));
  EXPECT_TRUE(Set(store, "http://a.com/", MakeCookie("n", "dom", "a.com", "/")));
  std::vector<std::string> values;
  for (const CanonicalCookie& cookie : store.Cookies())
    values.push_back(cookie.value);
  EXPECT_EQ(values, (std::vector<std::string>{"long", "second", "new", "dom"}));
}

TEST(CookieStoreTest, ExpiryDecidesBetweenSessionPersistentAndGone) {
  CookieStore store;
  CefCookie cookie = MakeCookie("n", "v");
  cookie.has_expires = 1;  // With an all-zero time: no valid expiry.
  EXPECT_TRUE(Set(store, "http://a.com/", cookie));
  ASSERT_EQ(store.Cookies().size(), 1u);
  EXPECT_FALSE(store.Cookies()[0].persistent);
  EXPECT_EQ(store.Cookies()[0].ToCefCookie().has_expires, 0);

  cookie.expires = {2999, 2, 0, 28, 12, 30, 15, 250};
  EXPECT_TRUE(Set(store, "http://a.com/", cookie));
  CefCookie stored = store.Cookies()[0].ToCefCookie();
  EXPECT_EQ(stored.has_expires, 1);
  EXPECT_EQ(stored.expires.year, 2999);
  EXPECT_EQ(stored.expires.month, 2);
  EXPECT_EQ(stored.expires.day_of_month, 28);
  EXPECT_EQ(stored.expires.millisecond, 250);
  EXPECT_GE(stored.creation.year, 2024);

  cookie.expires.day_of_month = 30;  // February 30 does not exist.
  EXPECT_TRUE(Set(store, "http://a.com/", cookie));
  EXPECT_FALSE(store.Cookies()[0].persistent);

  // A cookie that has expired already only removes its equivalent.
  cookie.expires = {2000, 1, 6, 1, 0, 0, 0, 0};
  EXPECT_TRUE(Set(store, "http://a.com/", cookie));
  EXPECT_TRUE(store.Cookies().empty());
}

}  // namespace
}  // namespace cefsim
