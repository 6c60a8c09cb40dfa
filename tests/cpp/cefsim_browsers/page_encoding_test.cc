// How pages and their scripts are decoded: as Blink does, by a byte-order
// mark, a charset, a <meta> declaration, and else by the browser's
// default_encoding, which CEF 3.3163 defaults to ISO-8859-1 (read as
// windows-1252) when CefBrowserSettings leaves it empty.
#include <string>

#include "browser_fixture.h"
#include "include/internal/cef_types_wrappers.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace {

using testing::ElementsAre;

// "café" in UTF-8, as a page or script file holds it.
const char kCafeUtf8[] = "caf\xC3\xA9";
// The same bytes read as windows-1252: "cafÃ©".
const char kCafeMisread[] = "caf\xC3\x83\xC2\xA9";

std::string LoggingPage(const std::string& head) {
  return "<html><head>" + head + "</head><body><script>console.log('" +
         std::string(kCafeUtf8) + "')</script></body></html>";
}

TEST_F(BrowserTest, DocumentsWithoutACharsetAreReadWithCefsDefaultEncoding) {
  const std::string pages[] = {
      WriteFile("plain.html", LoggingPage("")),
      WriteFile("meta.html", LoggingPage("<meta charset=\"utf-8\">")),
      WriteFile("http_equiv.html",
                LoggingPage("<meta http-equiv=\"Content-Type\" "
                            "content=\"text/html; charset=UTF-8\">")),
      WriteFile("bom.html", "\xEF\xBB\xBF" + LoggingPage("")),
      WriteFile("latin1.html", LoggingPage("<meta charset=\"iso-8859-1\">")),
  };
  for (const std::string& page : pages) {
    CefRefPtr<CefBrowser> browser = Create(page);
    ASSERT_TRUE(WaitLoaded(browser)) << page;
  }
  std::vector<std::string> logged;
  for (const auto& record : cefsim_inspect::ConsoleMessages())
    logged.push_back(record.message);
  EXPECT_THAT(logged, ElementsAre(kCafeMisread, kCafeUtf8, kCafeUtf8,
                                  kCafeUtf8, kCafeMisread));

  // A data: URL's charset counts as the response's; windows-1252 has its own
  // letters at 0x80 to 0x9F.
  CefRefPtr<CefBrowser> data = Create(
      "data:text/html;charset=utf-8,<script>console.log('caf%C3%A9')</script>");
  CefRefPtr<CefBrowser> euro =
      Create("data:text/html,<script>console.log('%80%A0')</script>");
  ASSERT_TRUE(WaitLoaded(data));
  ASSERT_TRUE(WaitLoaded(euro));
  EXPECT_THAT(Console(data), ElementsAre(kCafeUtf8));
  EXPECT_THAT(Console(euro), ElementsAre("\xE2\x82\xAC\xC2\xA0"));
}

TEST_F(BrowserTest, ScriptsWithoutACharsetAreReadInTheirDocumentsEncoding) {
  const std::string script =
      WriteFile("cafe.js", "console.log('" + std::string(kCafeUtf8) + "');");
  const std::string tag = "<script src=\"cafe.js\"></script>";
  CefRefPtr<CefBrowser> utf8 =
      Create(WriteFile("utf8.html", "<meta charset=\"utf-8\">" + tag));
  CefRefPtr<CefBrowser> plain = Create(WriteFile("plain.html", tag));
  WriteFile("marked.js",
            "\xEF\xBB\xBF" "console.log('" + std::string(kCafeUtf8) + "');");
  CefRefPtr<CefBrowser> marked = Create(WriteFile(
      "marked.html", "<script src=\"marked.js\"></script>"));
  for (auto browser : {utf8, plain, marked})
    ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(Console(utf8), ElementsAre(kCafeUtf8));
  EXPECT_THAT(Console(plain), ElementsAre(kCafeMisread));
  EXPECT_THAT(Console(marked), ElementsAre(kCafeUtf8));
}

TEST_F(BrowserTest, TheBrowsersDefaultEncodingSettingIsHonoured) {
  const std::string page = WriteFile("plain.html", LoggingPage(""));
  CefBrowserSettings settings;
  CefString(&settings.default_encoding) = "UTF-8";
  CefWindowInfo info;
  info.SetAsChild(host_, RECT{0, 0, 100, 100});
  CefRefPtr<CefBrowser> browser;
  RunOnUi([&]() {
    browser = CefBrowserHost::CreateBrowserSync(info, client_.get(), page,
                                                settings, nullptr);
  });
  ASSERT_TRUE(browser);
  ASSERT_TRUE(WaitLoaded(browser));
  EXPECT_THAT(Console(browser), ElementsAre(kCafeUtf8));
}

}  // namespace
