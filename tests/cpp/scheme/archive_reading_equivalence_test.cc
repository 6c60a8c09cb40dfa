// Reading only the wanted entry must answer exactly as loading the whole
// archive into a CefZipArchive and asking it does: the same bytes, and the
// same "not found", for every name asked on every kind of archive, except
// that a damaged entry hides only itself, where a whole load stops there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "include/cef_stream.h"
#include "scheme/archive_reading.h"
#include "test_support/cef_zip_archive.h"
#include "test_support/temp_dir.h"
#include "test_support/zip_writer.h"

namespace zubrix {
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

// The entry streamed to its end, as a request reads it; found only when it
// proved intact there.
bool ReadWholeEntry(const std::string& archive, const std::string& name,
                    std::string* body) {
  ArchiveEntryStream entry;
  if (!entry.Open(archive, name))
    return false;
  std::string read;
  char piece[4096];
  for (;;) {
    size_t count = 0;
    switch (entry.Read(piece, sizeof(piece), &count)) {
      case BodySource::Piece::kData:
        read.append(piece, count);
        break;
      case BodySource::Piece::kEnd:
        *body = read;
        return static_cast<int64_t>(read.size()) == entry.length();
      case BodySource::Piece::kBroken:
        return false;
    }
  }
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

// Every name of |entries|, in other cases, with a missing one and empty.
std::vector<std::string> NamesToAsk(const std::vector<ZipEntry>& entries) {
  std::vector<std::string> names = {"", "missing.html", "/"};
  for (const ZipEntry& entry : entries) {
    std::string upper = entry.name;
    for (char& c : upper)
      c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    names.push_back(entry.name);
    names.push_back(upper);
    names.push_back(entry.name + "x");
  }
  return names;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return tolower(static_cast<unsigned char>(x)) ==
                  tolower(static_cast<unsigned char>(y));
         });
}

// The index of the entry that |name| stands for: the first non-empty one
// with that name; entries.size() when there is none.
size_t EntryNamed(const std::vector<ZipEntry>& entries,
                  const std::string& name) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].data.empty() && SameNameIgnoringCase(entries[i].name, name))
      return i;
  }
  return entries.size();
}

class ArchiveReadingEquivalenceTest : public ::testing::Test {
 protected:
  // Asks |archive| for every name of NamesToAsk(entries) and expects what
  // |expected_for| gives for it.
  void ExpectAnswers(const std::string& archive,
                     const std::vector<ZipEntry>& entries,
                     const std::function<Answer(const std::string&)>&
                         expected_for) {
    for (const std::string& name : NamesToAsk(entries)) {
      SCOPED_TRACE(archive + " entry '" + name + "'");
      const Answer expected = expected_for(name);
      std::string body = "left from before";
      const bool found = ReadWholeEntry(archive, name, &body);
      EXPECT_EQ(found, expected.found);
      if (expected.found) {
        EXPECT_EQ(body, expected.body);
      }
    }
  }

  void ExpectSameAnswers(const std::string& archive,
                         const std::vector<ZipEntry>& entries) {
    ExpectAnswers(archive, entries, [&](const std::string& name) {
      return ReadWithWholeArchive(archive, name);
    });
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

// A damaged entry is not found; every other entry, before or after it, is
// served as from the sound archive. Of equal names the damaged first one
// counts: its later twin is not served in its place.
TEST_F(ArchiveReadingEquivalenceTest, DamagedEntriesHideOnlyThemselves) {
  std::vector<ZipEntry> entries;
  for (int i = 0; i < 4; ++i)
    entries.push_back({"entry" + std::to_string(i) + ".html",
                       std::string(3000, static_cast<char>('a' + i)) +
                           std::to_string(i)});
  // Varied enough that the byte flipped past each name lies in its own
  // compressed data.
  std::string first = "first", second = "second";
  for (int k = 0; k < 100; ++k) {
    first += std::to_string(k * 7919 % 1009);
    second += std::to_string(k * 6007 % 1013);
  }
  entries.insert(entries.begin() + 2, {"dup.html", first});
  entries.push_back({"DUP.html", second});
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
      ExpectAnswers(path, entries, [&](const std::string& name) {
        if (EntryNamed(entries, name) == i)
          return Answer();
        return ReadWithWholeArchive(sound, name);
      });
    }
  }
}

}  // namespace
}  // namespace zubrix
