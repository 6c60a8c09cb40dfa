// Requests read on CEF's file thread and handed out as they come: cancels at
// every step stop the reading and let the file go, many requests at once
// keep their bodies apart, memory stays bounded whatever the size, and an
// archive entry found damaged mid-way fails its request.
#include <dirent.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "common/function_task.h"
#include "include/cef_request.h"
#include "include/cef_task.h"
#include "internal_folder_fixture.h"
#include "scheme_handler_driver.h"
#include "test_support/cef_thread.h"
#include "test_support/zip_writer.h"

namespace zubrix {
namespace {

std::string Text(size_t size, int seed) {
  std::string text;
  for (int n = 0; text.size() < size; ++n)
    text += "var item" + std::to_string(n * seed) + " = " +
            std::to_string(n * 7919 % 100003) + ";\n";
  text.resize(size);
  return text;
}

// How many of this process's descriptors are open on |path|.
int OpenCount(const std::string& path) {
  int count = 0;
  DIR* fds = opendir("/proc/self/fd");
  while (dirent* entry = fds ? readdir(fds) : nullptr) {
    char target[4096];
    const std::string link = std::string("/proc/self/fd/") + entry->d_name;
    const ssize_t length = readlink(link.c_str(), target, sizeof(target));
    if (length > 0 && std::string(target, length) == path)
      ++count;
  }
  if (fds)
    closedir(fds);
  return count;
}

// Waits until the file thread has run everything posted to it so far.
void DrainFileThread() {
  test_support::RunOnCefThread(TID_FILE, [] {});
}

void OnIoThread(const std::function<void()>& body) {
  test_support::RunOnCefThread(TID_IO, body);
}

class StreamingTest : public InternalFolderRouteTest {
 protected:
  // A file far larger than what is read ahead of the page.
  std::string LargeFile(const std::string& name) {
    large_ = Text(4 << 20, 3);
    return root_.WriteFile("content/" + name, large_);
  }
  std::string large_;
};

TEST_F(StreamingTest, CancelledBeforeTheFileThreadAnswersOpensNothing) {
  const std::string path = LargeFile("early.js");
  DrainFileThread();
  // Holds the file thread until the request is cancelled.
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  CefPostTask(TID_FILE,
              new zubrix::FunctionTask([released] { released.wait(); }));
  CefRefPtr<PlovexClientSchemeHandler> handler(new PlovexClientSchemeHandler());
  CefRefPtr<RecordingCallback> callback(new RecordingCallback());
  CefRefPtr<CefRequest> request = CefRequest::Create();
  request->SetURL("client://internal/early.js");
  OnIoThread([&] {
    EXPECT_TRUE(handler->ProcessRequest(request, callback.get()));
    handler->Cancel();
  });
  release.set_value();
  DrainFileThread();
  EXPECT_EQ(callback->answers(), 0);
  EXPECT_EQ(OpenCount(path), 0);
  OnIoThread([&] {
    int bytes_read = -1;
    char piece[16];
    EXPECT_FALSE(
        handler->ReadResponse(piece, sizeof(piece), bytes_read, callback));
    EXPECT_EQ(bytes_read, 0);
  });
}

TEST_F(StreamingTest, CancelledBetweenReadsStopsAndLetsTheFileGo) {
  const std::string path = LargeFile("between.js");
  SteppedRequest request("client://internal/between.js");
  bool more = false;
  EXPECT_EQ(request.Read(65536, &more), large_.substr(0, 65536));
  EXPECT_EQ(OpenCount(path), 1);
  const int answers = request.callback->answers();
  request.Cancel();
  DrainFileThread();
  EXPECT_EQ(OpenCount(path), 0);
  EXPECT_EQ(request.Read(65536, &more), "");
  EXPECT_FALSE(more);
  EXPECT_EQ(request.callback->answers(), answers);
}

TEST_F(StreamingTest, CancelAfterTheLastByteChangesNothing) {
  const std::string path = LargeFile("whole.js");
  SteppedRequest request("client://internal/whole.js");
  EXPECT_TRUE(request.ReadRest() == large_);
  const int answers = request.callback->answers();
  request.Cancel();
  DrainFileThread();
  EXPECT_EQ(OpenCount(path), 0);
  EXPECT_EQ(request.callback->answers(), answers);
  EXPECT_EQ(request.callback->cancelled(), 0);
}

TEST_F(StreamingTest, AHandlerLetGoMidWayLetsItsFileGo) {
  const std::string path = LargeFile("dropped.js");
  SteppedRequest request("client://internal/dropped.js");
  bool more = false;
  request.Read(65536, &more);
  OnIoThread([&] { request.handler = nullptr; });
  DrainFileThread();
  EXPECT_EQ(OpenCount(path), 0);
}

TEST_F(StreamingTest, ManyRequestsAtOnceEachGetTheirOwnBody) {
  std::vector<std::string> bodies;
  for (int i = 0; i < 12; ++i) {
    bodies.push_back(Text(i % 3 == 0 ? (1 << 20) + i : 1000 + i, i + 1));
    root_.WriteFile("content/f" + std::to_string(i) + ".js", bodies.back());
  }
  const std::string archive = root_.Path("many.plovex");
  std::vector<test_support::ZipEntry> entries;
  for (int i = 0; i < 12; ++i)
    entries.push_back({"e" + std::to_string(i) + ".js", bodies[i]});
  test_support::WriteZip(archive, entries);
  std::vector<std::future<bool>> served;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 12; ++i) {
      const std::string url =
          round == 0 ? "client://internal/f" + std::to_string(i) + ".js"
                     : "client://plovex/" + archive + "/e" +
                           std::to_string(i) + ".js";
      const std::string expected = bodies[i];
      served.push_back(std::async(std::launch::async, [url, expected] {
        // Small pieces, so that the requests' reads interleave.
        return ServeUrl(url, 4096).body == expected;
      }));
    }
  }
  for (size_t i = 0; i < served.size(); ++i)
    EXPECT_TRUE(served[i].get()) << "request " << i;
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
long PeakKib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0)
      return std::stol(line.substr(6));
  }
  return -1;
}

// A sanitizer's own bookkeeping would hide what the request holds.
TEST_F(StreamingTest, AHugeEntryStreamsInBoundedMemory) {
  const std::string archive = root_.Path("huge.plovex");
  test_support::WriteZip(archive, {{"zeros.bin", std::string(256 << 20, '\0')}});
  // What writing the archive took is not counted.
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before = PeakKib();
  SteppedRequest request("client://plovex/" + archive + "/zeros.bin");
  ASSERT_EQ(request.length, int64{256} << 20);
  int64 served = 0;
  bool more = true;
  while (more && request.callback->cancelled() == 0)
    served += static_cast<int64>(request.Read(65536, &more).size());
  EXPECT_EQ(served, int64{256} << 20);
  EXPECT_LT(PeakKib() - before, 16 * 1024);
}
#endif

class DamagedEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    body_ = Text(2 << 20, 5);
    test_support::WriteZip(archive_, {{"big.js", body_}, {"small.js", "s"}});
    std::ifstream file(archive_, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file),
                  std::istreambuf_iterator<char>());
  }

  ServedRequest ServeDamaged(const std::vector<size_t>& offsets,
                             const std::string& entry) {
    std::string damaged = bytes_;
    for (size_t offset : offsets)
      damaged[offset] ^= 0x5a;
    std::ofstream(archive_, std::ios::binary) << damaged;
    return ServeUrl("client://plovex/" + archive_ + "/" + entry);
  }

  // The checksum fields of the entry |index|, in its local header and in
  // the central directory, which must agree for the entry to open.
  std::vector<size_t> Checksums(int index) {
    return {Header("PK\x03\x04", index) + 14, Header("PK\x01\x02", index) + 16};
  }
  size_t Header(const char* signature, int index) {
    size_t at = bytes_.find(std::string(signature, 4));
    for (int i = 0; i < index; ++i)
      at = bytes_.find(std::string(signature, 4), at + 1);
    return at;
  }

  test_support::TempDir dir_;
  const std::string archive_ = dir_.Path("site.plovex");
  std::string body_;
  std::string bytes_;
};

TEST_F(DamagedEntryTest, DamageFoundAfterTheFirstBytesFailsTheRequest) {
  // Deep in the compressed data, well past what is read ahead.
  ServedRequest corrupt = ServeDamaged({bytes_.size() * 3 / 4}, "big.js");
  EXPECT_EQ(corrupt.length, static_cast<int64>(body_.size()));
  EXPECT_EQ(corrupt.cancelled, 1);
  EXPECT_LT(corrupt.body.size(), body_.size());
  // What came before the damage is the entry's; what inflated from the
  // damage on may not be, and the failed request tells the page so.
  ASSERT_GE(corrupt.body.size(), 256u * 1024);
  EXPECT_TRUE(corrupt.body.compare(0, 256 * 1024, body_, 0, 256 * 1024) == 0);

  // Inflates whole, but fails its checksum: the last piece never goes out.
  ServedRequest unchecked = ServeDamaged(Checksums(0), "big.js");
  EXPECT_EQ(unchecked.cancelled, 1);
  EXPECT_LT(unchecked.body.size(), body_.size());
  EXPECT_TRUE(unchecked.body == body_.substr(0, unchecked.body.size()));
}

TEST_F(DamagedEntryTest, DamageFoundBeforeTheFirstByteIsNotFound) {
  ServedRequest small = ServeDamaged(Checksums(1), "small.js");
  EXPECT_EQ(small.cancelled, 0);
  EXPECT_EQ(small.body, NotFoundPage(archive_));
  // Checksums that disagree: the entry does not even open.
  ServedRequest torn = ServeDamaged({Checksums(0)[1]}, "big.js");
  EXPECT_EQ(torn.cancelled, 0);
  EXPECT_EQ(torn.body, NotFoundPage(archive_));
  // The other entry is served as it was.
  std::ofstream(archive_, std::ios::binary) << bytes_;
  ServedRequest sound = ServeUrl("client://plovex/" + archive_ + "/big.js");
  EXPECT_EQ(sound.cancelled, 0);
  EXPECT_TRUE(sound.body == body_);
}

}  // namespace
}  // namespace zubrix
