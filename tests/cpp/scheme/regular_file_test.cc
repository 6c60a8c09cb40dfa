#include "scheme/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "test_support/temp_dir.h"

namespace zubrix {
namespace {

std::string ReadAll(FILE* file) {
  std::string contents;
  char piece[4096];
  size_t read;
  while ((read = fread(piece, 1, sizeof(piece), file)) > 0)
    contents.append(piece, read);
  return contents;
}

// Opens |path| on another thread; a call that has not returned within ten
// seconds is a failure, and the FIFO's reader is then released by opening
// it for writing, so that the test ends instead of hanging.
FILE* OpenWithin(const std::string& path, const std::string& fifo_to_release) {
  std::future<FILE*> opened =
      std::async(std::launch::async, zubrix::OpenRegularFile, path);
  if (opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    ADD_FAILURE() << "opening " << path << " blocked";
    const int writer = open(fifo_to_release.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
      close(writer);
  }
  return opened.get();
}

TEST(OpenRegularFileTest, OpensRegularFilesAndLinksToThem) {
  test_support::TempDir dir;
  const std::string bytes("a\0b\r\nc", 6);
  const std::string file = dir.WriteFile("plain.bin", bytes);
  const std::string named = dir.WriteFile("n\xC3\xA4me \xE2\x9C\x93.txt", "x");
  ASSERT_EQ(symlink(file.c_str(), dir.Path("link.bin").c_str()), 0);
  for (const std::string& path : {file, dir.Path("link.bin")}) {
    SCOPED_TRACE(path);
    FILE* opened = zubrix::OpenRegularFile(path);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(ReadAll(opened), bytes);
    fclose(opened);
  }
  FILE* opened = zubrix::OpenRegularFile(named);
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(ReadAll(opened), "x");
  fclose(opened);
  // An empty regular file is still one.
  opened = zubrix::OpenRegularFile(dir.WriteFile("empty", ""));
  ASSERT_NE(opened, nullptr);
  fclose(opened);
}

TEST(OpenRegularFileTest, RefusesEverythingElseWithoutWaiting) {
  test_support::TempDir dir;
  const std::string fifo = dir.Path("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(symlink(fifo.c_str(), dir.Path("link-to-pipe").c_str()), 0);
  ASSERT_EQ(symlink("/dev/zero", dir.Path("zero").c_str()), 0);
  ASSERT_EQ(symlink(dir.Path("gone").c_str(), dir.Path("dangling").c_str()),
            0);
  dir.MakeFolder("folder");
  const std::string refused[] = {
      fifo,           dir.Path("link-to-pipe"), dir.Path("zero"),
      "/dev/null",    dir.Path("dangling"),     dir.Path("folder"),
      dir.Path("gone"), "",
  };
  for (const std::string& path : refused) {
    SCOPED_TRACE(path);
    EXPECT_EQ(OpenWithin(path, fifo), nullptr);
  }
}

}  // namespace
}  // namespace zubrix
