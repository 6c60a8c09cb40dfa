// Reading only the wanted entry must answer exactly as loading the whole
// archive into a CefZipArchive and asking it does: the same bytes, and the
// same "not found", for every name asked on every kind of archive.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "include/cef_stream.h"
#include "include/wrapper/cef_zip_archive.h"
#include "scheme/archive_reading.h"
#include "test_support/temp_dir.h"
#include "test_support/zip_writer.h"

namespace {

using test_support::ZipEntry;

struct Answer {
  bool found = false;
  std::string body;
};

Answer ReadWithWholeArchive(const std::string& archive,
                            const std::string& name) {
  CefRefPtr<CefStreamReader> stream = CefStreamReader::CreateForFile(archive);
  CefRefPtr<CefZipArchive> loaded(new CefZipArchive());
  if (stream)
    loaded->Load(stream, CefString(), false);
  Answer answer;
  CefRefPtr<CefZipArchive::File> file = loaded->GetFile(name);
  if (file) {
    answer.found = true;
    answer.body.assign(reinterpret_cast<const char*>(file->GetData()),
                       file->GetDataSize());
  }
  return answer;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)),
                     std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Offsets of every local file header, in archive order.
std::vector<size_t> LocalHeaders(const std::string& bytes) {
  std::vector<size_t> offsets;
  const std::string signature("PK\x03\x04", 4);
  for (size_t at = bytes.find(signature); at != std::string::npos;
       at = bytes.find(signature, at + 1))
    offsets.push_back(at);
  return offsets;
}

class ArchiveReadingEquivalenceTest : public ::testing::Test {
 protected:
  // Every name of |entries|, in other cases, with a missing one and empty.
  void ExpectSameAnswers(const std::string& archive,
                         const std::vector<ZipEntry>& entries) {
    std::vector<std::string> names = {"", "missing.html", "/"};
    for (const ZipEntry& entry : entries) {
      std::string upper = entry.name;
      for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
      names.push_back(entry.name);
      names.push_back(upper);
      names.push_back(entry.name + "x");
    }
    for (const std::string& name : names) {
      SCOPED_TRACE(archive + " entry '" + name + "'");
      const Answer expected = ReadWithWholeArchive(archive, name);
      std::string body = "left from before";
      const bool found = zubrix::ReadArchiveEntry(archive, name, &body);
      EXPECT_EQ(found, expected.found);
      if (expected.found)
        EXPECT_EQ(body, expected.body);
    }
  }

  test_support::TempDir dir_;
};

TEST_F(ArchiveReadingEquivalenceTest, SoundArchives) {
  const std::vector<std::vector<ZipEntry>> archives = {
      {{"index.html", "<p>one</p>"}},
      {{"index.html", "first"}, {"INDEX.HTML", "second"}, {"Index.html", "3"}},
      {{"empty.html", ""}, {"empty.html", "after the empty one"}},
      {{"folder/", ""}, {"folder/page.html", "page"}, {"", "nameless"}},
      {{"a.js", std::string(200000, 'a')}, {"b.css", "b"}, {"a.JS", "dup"}},
      {{"zero", ""}},
  };
  for (size_t i = 0; i < archives.size(); ++i) {
    const std::string path = dir_.Path("sound" + std::to_string(i) + ".plovex");
    test_support::WriteZip(path, archives[i]);
    ExpectSameAnswers(path, archives[i]);
  }
}

TEST_F(ArchiveReadingEquivalenceTest, FilesThatAreNoSoundArchive) {
  const std::vector<ZipEntry> entries = {{"index.html", std::string(5000, 'x')},
                                         {"late.js", "late"}};
  const std::string whole = dir_.Path("whole.plovex");
  test_support::WriteZip(whole, entries);
  const std::string bytes = ReadBytes(whole);
  for (size_t length : {size_t(0), size_t(10), bytes.size() / 2,
                        bytes.size() - 10}) {
    const std::string cut = dir_.Path("cut" + std::to_string(length));
    WriteBytes(cut, bytes.substr(0, length));
    ExpectSameAnswers(cut, entries);
  }
  ExpectSameAnswers(dir_.WriteFile("text.plovex", "not a ZIP file"), entries);
  ExpectSameAnswers(dir_.Path("absent.plovex"), entries);
  ExpectSameAnswers(dir_.MakeFolder("folder.plovex"), entries);
}

// A damaged entry ends a whole load there: the entries after it are not
// found, also when they are sound and only they are asked for.
TEST_F(ArchiveReadingEquivalenceTest, DamagedEntriesAnywhereInTheArchive) {
  std::vector<ZipEntry> entries;
  for (int i = 0; i < 4; ++i)
    entries.push_back({"entry" + std::to_string(i) + ".html",
                       std::string(3000, static_cast<char>('a' + i)) +
                           std::to_string(i)});
  entries.insert(entries.begin() + 2, {"dup.html", "first"});
  entries.push_back({"DUP.html", "second"});
  const std::string sound = dir_.Path("sound.plovex");
  test_support::WriteZip(sound, entries);
  const std::string bytes = ReadBytes(sound);
  const std::vector<size_t> headers = LocalHeaders(bytes);
  ASSERT_EQ(headers.size(), entries.size());
  for (size_t i = 0; i < headers.size(); ++i) {
    // Just past the local header and name: the compressed data, then the
    // header's own fields (method, sizes, checksum).
    for (size_t offset : {size_t(8), size_t(14), size_t(18), size_t(45)}) {
      std::string damaged = bytes;
      damaged[headers[i] + offset] ^= 0x5a;
      const std::string path = dir_.Path("damaged" + std::to_string(i) + "_" +
                                         std::to_string(offset) + ".plovex");
      WriteBytes(path, damaged);
      ExpectSameAnswers(path, entries);
    }
  }
}

}  // namespace
