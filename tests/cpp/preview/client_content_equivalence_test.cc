// The preview serves "client" URLs through ReadClientContent; the host through
// PlovexClientSchemeHandler. Both must answer every URL of one table alike:
// taken or not, the same type, the same bytes, a failure where the host's
// request is cancelled.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "internal_folder_fixture.h"
#include "preview/client_content.h"
#include "scheme_handler_driver.h"
#include "test_support/zip_writer.h"

namespace zubrix {
namespace {

using test_support::ZipEntry;

// The folder's fixture: root_ holds the internal content folder folder_.
class ClientContentTest : public InternalFolderRouteTest {
 protected:
  void ExpectAlike(const std::string& url) {
    SCOPED_TRACE(url);
    const ServedRequest served = ServeUrl(url);
    const ClientContent content = ReadClientContent(CefString(url));
    ASSERT_EQ(served.taken,
              content.outcome != ClientContent::Outcome::kRefused);
    if (!served.taken)
      return;
    EXPECT_EQ(content.mime_type, served.mime_type);
    if (served.cancelled) {
      EXPECT_EQ(content.outcome, ClientContent::Outcome::kFailed);
    } else {
      EXPECT_EQ(content.outcome, ClientContent::Outcome::kServed);
      EXPECT_EQ(content.body, served.body);
    }
  }
};

TEST_F(ClientContentTest, FolderUrlsAnswerAsTheHostsHandler) {
  root_.WriteFile("content/index.html", "<p>index</p>");
  root_.WriteFile("content/sub/app.js", std::string("var a = '\0';", 12));
  root_.WriteFile("content/logo.svg.png", "<svg/>");
  root_.WriteFile("content/a b.html", "spaced");
  root_.WriteFile("content/a%20b.html", "escaped");
  root_.WriteFile("content/empty.css", "");
  root_.WriteFile("secret.txt", "above the folder");
  ASSERT_EQ(mkfifo((folder_ + "/pipe.js").c_str(), 0600), 0);
  std::string large(300000, 'x');
  root_.WriteFile("content/large.png", large);
  for (const char* url : {
           "client://internal/index.html", "client://internal/sub/app.js",
           "client://internal//sub//app.js?query#fragment",
           "client://internal/sub/../index.html",
           "client://internal/./sub/./app.js", "client://internal/../secret.txt",
           "client://internal/sub/../../secret.txt",
           "client://internal/sub\\..\\..\\secret.txt",
           "client://internal/logo.svg.png", "client://internal/a%20b.html",
           "client://internal/a b.html", "client://internal/empty.css",
           "client://internal/missing.html", "client://internal/sub",
           "client://internal/", "client://internal/pipe.js",
           "client://internal/large.png", "client://internal/x%00y.html",
           "client://INTERNAL/index.html", "client://elsewhere/index.html",
           "client:nothing", "CLIENT://internal/index.html"}) {
    ExpectAlike(url);
  }
  unsetenv("CEF_PLOVEX_INTERNAL");
  ExpectAlike("client://internal/index.html");
}

TEST_F(ClientContentTest, ArchiveUrlsAnswerAsTheHostsHandler) {
  const std::string archive = root_.Path("panel.plovex");
  test_support::WriteZip(archive, {{"index.html", "<p>first</p>"},
                                   {"INDEX.html", "<p>second</p>"},
                                   {"js/", ""},
                                   {"js/app.js", "var app;"},
                                   {"empty.css", ""},
                                   {"style.css", "p {}"}});
  root_.WriteFile("not-a-zip.plovex", "plain text");
  const std::string base = "client://plovex/" + archive;
  const std::vector<std::string> urls = {
      base + "/index.html",      base + "/Index.HTML",
      base + "/js/app.js",       base + "/js/",
      base + "/empty.css",       base + "/style.css?v=2",
      base + "/missing.html",    base,
      base + "/",                "client://plovex/" + root_.Path("absent.plovex/index.html"),
      "client://plovex/" + root_.Path("not-a-zip.plovex/index.html"),
      "client://plovex/" + root_.path() + "/panel.zip/index.html",
      "client://plovex/" + root_.Path("content") + "/"};
  for (const std::string& url : urls)
    ExpectAlike(url);
}

}  // namespace
}  // namespace zubrix
