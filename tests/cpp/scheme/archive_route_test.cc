#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <vector>

#include "scheme/not_found_page.h"
#include "scheme_handler_driver.h"
#include "test_support/temp_dir.h"
#include "test_support/zip_writer.h"

namespace zubrix {
namespace {

using test_support::WriteZip;
using test_support::ZipEntry;

class ArchiveRouteTest : public ::testing::Test {
 protected:
  std::string Url(const std::string& archive, const std::string& rest) {
    return "client://plovex/" + archive + rest;
  }

  void ExpectNotFound(const ServedRequest& served, const std::string& name) {
    EXPECT_TRUE(served.taken);
    EXPECT_EQ(served.continued, 1);
    EXPECT_EQ(served.status, 200);
    EXPECT_EQ(served.mime_type, "text/html");
    EXPECT_EQ(served.body, zubrix::NotFoundPage(name));
  }

  test_support::TempDir dir_;
};

TEST_F(ArchiveRouteTest, ServesEntriesMatchedWithoutRegardToCase) {
  // The archive's own path holds ".js": the type still comes from the entry.
  std::string archive = dir_.MakeFolder("lib.js") + "/panel.plovex";
  WriteZip(archive, {{"index.html", "<p>panel</p>"},
                     {"Scripts/App.JS", "var app;"},
                     {"img/icon.png", "PNG"},
                     {"img//odd.css", "odd"}});

  ServedRequest index = ServeUrl(Url(archive, "/index.html"));
  EXPECT_TRUE(index.taken);
  EXPECT_EQ(index.continued, 1);
  EXPECT_EQ(index.status, 200);
  EXPECT_EQ(index.mime_type, "text/html");
  EXPECT_EQ(index.body, "<p>panel</p>");
  EXPECT_EQ(index.length, 12);

  EXPECT_EQ(ServeUrl(Url(archive, "/INDEX.HTML")).body, "<p>panel</p>");
  ServedRequest script = ServeUrl(Url(archive, "/scripts/app.js"));
  EXPECT_EQ(script.body, "var app;");
  EXPECT_EQ(script.mime_type, "application/javascript");
  // The type follows the name asked for, as written in the URL.
  EXPECT_EQ(ServeUrl(Url(archive, "/Scripts/App.JS")).mime_type, "text/html");
  EXPECT_EQ(ServeUrl(Url(archive, "/img/icon.png")).mime_type, "image/png");
  // Repeated slashes are part of the entry name.
  EXPECT_EQ(ServeUrl(Url(archive, "/img//odd.css")).body, "odd");
  ExpectNotFound(ServeUrl(Url(archive, "/img/odd.css")), archive);
}

TEST_F(ArchiveRouteTest, FirstMarkerNamesTheArchive) {
  std::string outer = dir_.Path("a.plovex");
  WriteZip(outer, {{"b.plovex/c.html", "inner entry"}});
  EXPECT_EQ(ServeUrl(Url(outer, "/b.plovex/c.html")).body, "inner entry");
}

TEST_F(ArchiveRouteTest, WhatCannotBeFoundNamesTheArchive) {
  std::string archive = dir_.Path("site.plovex");
  WriteZip(archive, {{"empty.html", ""},
                     {"folder/", ""},
                     {"folder/page.html", "page"},
                     {"", "nameless"}});
  // Zero-byte entries, folders among them, are not loaded.
  ExpectNotFound(ServeUrl(Url(archive, "/empty.html")), archive);
  ExpectNotFound(ServeUrl(Url(archive, "/folder/")), archive);
  EXPECT_EQ(ServeUrl(Url(archive, "/folder/page.html")).body, "page");
  // The entry is never the one named in the page.
  ServedRequest missing = ServeUrl(Url(archive, "/missing.html"));
  ExpectNotFound(missing, archive);
  EXPECT_EQ(missing.body.find("missing.html"), std::string::npos);
  // No ".plovex/" means no entry at all, not the entry with an empty name.
  ExpectNotFound(ServeUrl(Url(archive, "")), archive);
  EXPECT_EQ(ServeUrl(Url(archive, "/")).body, "nameless");

  ExpectNotFound(ServeUrl(Url(dir_.Path("absent.plovex"), "/index.html")),
                 dir_.Path("absent.plovex"));
  std::string folder = dir_.MakeFolder("folder.plovex");
  ExpectNotFound(ServeUrl(Url(folder, "/index.html")), folder);
}

TEST_F(ArchiveRouteTest, BrokenArchivesServeTheNotFoundPage) {
  std::string text = dir_.WriteFile("text.plovex", "this is not a ZIP file");
  ExpectNotFound(ServeUrl(Url(text, "/index.html")), text);

  std::string whole = dir_.Path("whole.plovex");
  WriteZip(whole, {{"index.html", std::string(5000, 'x')}});
  std::ifstream file(whole, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)),
                          std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 100u);
  std::string truncated =
      dir_.WriteFile("truncated.plovex", bytes.substr(0, bytes.size() / 2));
  ExpectNotFound(ServeUrl(Url(truncated, "/index.html")), truncated);
  std::string empty = dir_.WriteFile("empty.plovex", "");
  ExpectNotFound(ServeUrl(Url(empty, "/index.html")), empty);
}

// A FIFO would hold the IO thread at open until a writer came, a device
// would be read without end: neither is an archive.
TEST_F(ArchiveRouteTest, ArchivesThatAreNoRegularFileServeTheNotFoundPage) {
  const std::string fifo = dir_.Path("fifo.plovex");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::future<ServedRequest> served = std::async(
      std::launch::async, [&] { return ServeUrl(Url(fifo, "/index.html")); });
  if (served.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "the FIFO blocked the request";
    // Lets the blocked open return, so that the test ends.
    const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
      close(writer);
  }
  ExpectNotFound(served.get(), fifo);

  const std::string device = dir_.Path("zero.plovex");
  ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
  ExpectNotFound(ServeUrl(Url(device, "/index.html")), device);
}

TEST_F(ArchiveRouteTest, EqualNamesKeepTheFirstAndChangesShowAtOnce) {
  std::string archive = dir_.Path("dup.plovex");
  WriteZip(archive, {{"page.html", "first"}, {"PAGE.html", "second"}});
  EXPECT_EQ(ServeUrl(Url(archive, "/page.html")).body, "first");
  WriteZip(archive, {{"page.html", "rewritten"}});
  EXPECT_EQ(ServeUrl(Url(archive, "/page.html")).body, "rewritten");
}

TEST_F(ArchiveRouteTest, LargeEntryIsHandedOutInPieces) {
  std::string large(150000, '\0');
  for (size_t i = 0; i < large.size(); ++i)
    large[i] = static_cast<char>((i * 31) ^ (i >> 9));
  std::string archive = dir_.Path("big.plovex");
  WriteZip(archive, {{"data.jpg", large}});
  ServedRequest served = ServeUrl(Url(archive, "/data.jpg"));
  EXPECT_EQ(served.mime_type, "image/jpg");
  EXPECT_EQ(served.length, 150000);
  EXPECT_EQ(served.pieces, (std::vector<int>{65536, 65536, 18928}));
  EXPECT_EQ(served.body, large);
}

TEST_F(ArchiveRouteTest, MarkupInTheArchivePathIsEscaped) {
  std::string archive = dir_.Path("<img src=x onerror=alert(1)>.plovex");
  ServedRequest served = ServeUrl(Url(archive, "/index.html"));
  EXPECT_EQ(served.body.find("<img"), std::string::npos);
  EXPECT_NE(served.body.find("&lt;img src=x onerror=alert(1)&gt;.plovex"),
            std::string::npos);
}

}  // namespace
}  // namespace zubrix
