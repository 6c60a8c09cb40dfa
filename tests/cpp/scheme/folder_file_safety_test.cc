// The folder route serves regular files only, never waits on what a name
// leads to, holds no copy of a file, and fails a request whose file is cut
// while it is served instead of ending it short.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <string>

#include "internal_folder_fixture.h"
#include "scheme/not_found_page.h"
#include "scheme_handler_driver.h"

namespace zubrix {
namespace {

std::string Bytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i)
    bytes[i] = static_cast<char>(i * 31 + i / 251);
  return bytes;
}

TEST_F(InternalFolderRouteTest, OnlyRegularFilesAreServedAndNothingWaits) {
  const std::string page = root_.WriteFile("outside/page.js", "var linked;");
  ASSERT_EQ(symlink(page.c_str(), (folder_ + "/linked.js").c_str()), 0);
  const std::string fifo = folder_ + "/pipe.js";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", (folder_ + "/zero.js").c_str()), 0);
  ASSERT_EQ(symlink("/dev/null", (folder_ + "/null.js").c_str()), 0);

  // The owner's links to regular files keep working.
  ServedRequest linked = ServeUrl("client://internal/linked.js");
  EXPECT_EQ(linked.body, "var linked;");
  EXPECT_EQ(linked.mime_type, "application/javascript");

  for (const char* name : {"pipe.js", "zero.js", "null.js"}) {
    SCOPED_TRACE(name);
    const std::string url = std::string("client://internal/") + name;
    std::future<ServedRequest> served =
        std::async(std::launch::async, [url] { return ServeUrl(url); });
    if (served.wait_for(std::chrono::seconds(10)) !=
        std::future_status::ready) {
      ADD_FAILURE() << "the request waited on the file";
      // A writer releases a reader stuck on the FIFO, so the test ends.
      const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (writer >= 0)
        close(writer);
    }
    ServedRequest result = served.get();
    EXPECT_EQ(result.body, zubrix::NotFoundPage(folder_ + "/" + name));
    EXPECT_EQ(result.length, static_cast<int64>(result.body.size()));
  }
}

TEST_F(InternalFolderRouteTest, HugeFilesAreServedWithoutHoldingThem) {
  // Sparse: 8 GiB on the books, nothing on disk. A handler that read the
  // file into memory first would need all of it.
  const std::string path = root_.WriteFile("content/huge.png", "");
  const int64 size = int64{8} << 30;
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(size)), 0);
  SteppedRequest request("client://internal/huge.png");
  EXPECT_EQ(request.length, size);
  bool more = false;
  EXPECT_EQ(request.Read(65536, &more), std::string(65536, '\0'));
  EXPECT_TRUE(more);
  // Cancelling closes the file; nothing more is read.
  request.Cancel();
  EXPECT_EQ(request.Read(65536, &more), "");
  EXPECT_FALSE(more);
}

TEST_F(InternalFolderRouteTest, AFileCutWhileServedFailsTheRequest) {
  // Far larger than what is read ahead, so that the cut shows mid-way.
  const std::string bytes = Bytes(4 << 20);
  const std::string path = root_.WriteFile("content/cut.png", bytes);
  SteppedRequest request("client://internal/cut.png");
  ASSERT_EQ(request.length, 4 << 20);
  bool more = false;
  EXPECT_EQ(request.Read(65536, &more), bytes.substr(0, 65536));
  ASSERT_TRUE(more);
  ASSERT_EQ(truncate(path.c_str(), 1 << 20), 0);
  // Every byte before the cut comes, then nothing is left of what the
  // length promised: the request is cancelled, never ended as if whole.
  const std::string rest = request.ReadRest();
  EXPECT_EQ(rest.size(), (1u << 20) - 65536);
  EXPECT_TRUE(rest == bytes.substr(65536, rest.size()));
  EXPECT_EQ(request.callback->cancelled(), 1);
  EXPECT_EQ(request.Read(65536, &more), "");
  EXPECT_FALSE(more);
}

TEST_F(InternalFolderRouteTest, GrowingAndReplacedFilesKeepTheLengthGiven) {
  const std::string bytes = Bytes(100000);
  const std::string path = root_.WriteFile("content/file.png", bytes);
  SteppedRequest grown("client://internal/file.png");
  SteppedRequest replaced("client://internal/file.png");
  // Bytes appended after the answer began are not served: the length given
  // holds.
  FILE* file = fopen(path.c_str(), "ab");
  ASSERT_NE(file, nullptr);
  fputs("appended", file);
  fclose(file);
  EXPECT_EQ(grown.ReadRest(), bytes);
  EXPECT_EQ(grown.callback->cancelled(), 0);
  // A file replaced under its name, as editors save, still serves the one
  // that was opened.
  const std::string staged = root_.WriteFile("content/staged", "new");
  ASSERT_EQ(rename(staged.c_str(), path.c_str()), 0);
  EXPECT_EQ(replaced.length, 100000);
  EXPECT_EQ(replaced.ReadRest(), bytes);
  EXPECT_EQ(ServeUrl("client://internal/file.png").body, "new");
}

TEST_F(InternalFolderRouteTest, ANulInTheNameNamesNoFile) {
  // Read up to the NUL, the name would be a.html, served as a script.
  root_.WriteFile("content/a.html", "a");
  const std::string url("client://internal/a.html\0.js", 28);
  ServedRequest served = ServeUrl(url);
  EXPECT_EQ(served.body, zubrix::NotFoundPage(folder_ + "/a.html" +
                                              std::string(1, '\0') + ".js"));
}

}  // namespace
}  // namespace zubrix
