// Names as Chromium requests them, escaped: folders with spaces and non-ASCII
// letters, files linked as "my file.js", and what escapes must not open.
#include <gtest/gtest.h>

#include <string>

#include "internal_folder_fixture.h"
#include "scheme_handler_driver.h"
#include "test_support/zip_writer.h"

namespace zubrix {
namespace {

TEST_F(InternalFolderRouteTest, EscapedNamesAreServedAndEscapesOpenNoMore) {
  root_.WriteFile("content/a b.html", "spaced");
  root_.WriteFile("content/caf\xC3\xA9/x.js", "accented");
  root_.WriteFile("content/a%20b.html", "literal");
  root_.WriteFile("secret.txt", "outside");
  EXPECT_EQ(ServeUrl("client://internal/a%20b.html").body, "spaced");
  EXPECT_EQ(ServeUrl("client://internal/a b.html").body, "spaced");
  EXPECT_EQ(ServeUrl("client://internal/caf%C3%A9/x.js").body, "accented");
  EXPECT_EQ(ServeUrl("client://internal/a%2520b.html").body, "literal");

  ExpectNotFound(ServeUrl("client://internal/%2e%2e/secret.txt"),
                 folder_ + "/../secret.txt");
  ExpectNotFound(ServeUrl("client://internal/x/..%2F..%2Fsecret.txt"),
                 folder_ + "/x/../../secret.txt");
  ExpectNotFound(ServeUrl("client://internal/a%20b.html%00.js"),
                 folder_ + "/a b.html" + std::string(1, '\0') + ".js");
}

TEST_F(InternalFolderRouteTest, ArchivesInFoldersWithSpacesAndLettersServe) {
  const std::string tools = root_.MakeFolder("Zo\xC3\xAB Brandt/tools");
  test_support::WriteZip(tools + "/p.plovex",
                         {{"index.html", "<p>panel</p>"},
                          {"my file.js", "linked"}});
  // As Chromium canonicalises the panel's URL, and resolves the page's link.
  std::string escaped_tools = tools;
  escaped_tools.replace(escaped_tools.find("Zo\xC3\xAB "), 5, "Zo%C3%AB ");
  const std::string base = "client://plovex/" + escaped_tools + "/p.plovex/";
  EXPECT_EQ(ServeUrl(base + "index.html").body, "<p>panel</p>");
  ServedRequest linked = ServeUrl(base + "my%20file.js");
  EXPECT_EQ(linked.body, "linked");
  EXPECT_EQ(linked.mime_type, "application/javascript");
  // A NUL would end the archive's name early: nothing is opened.
  ServedRequest cut = ServeUrl(base + "index.html%00");
  EXPECT_EQ(cut.mime_type, "text/html");
  EXPECT_EQ(cut.body.find("<p>panel</p>"), std::string::npos);
}

}  // namespace
}  // namespace zubrix
