#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "include/cef_stream.h"
#include "include/cef_zip_reader.h"
#include "test_support/cef_zip_archive.h"
#include "test_support/temp_dir.h"
#include "test_support/zip_writer.h"

namespace {

using test_support::WriteZip;

std::string ReadAll(CefRefPtr<CefStreamReader> stream) {
  std::string data;
  char buffer[7];
  size_t read;
  while ((read = stream->Read(buffer, 1, sizeof(buffer))) > 0)
    data.append(buffer, read);
  return data;
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(file)),
                     std::istreambuf_iterator<char>());
}

std::string Data(CefRefPtr<CefZipArchive::File> file) {
  return std::string(reinterpret_cast<const char*>(file->GetData()),
                     file->GetDataSize());
}

CefRefPtr<CefZipArchive> LoadArchive(const std::string& path,
                                     size_t* loaded = nullptr) {
  CefRefPtr<CefZipArchive> archive(new CefZipArchive());
  size_t count = archive->Load(CefStreamReader::CreateForFile(path),
                               CefString(), false);
  if (loaded)
    *loaded = count;
  return archive;
}

TEST(StreamReaderTest, FileReaderReadsSeeksAndRefusesFolders) {
  test_support::TempDir dir;
  std::string path = dir.WriteFile("data.bin", "0123456789");
  EXPECT_FALSE(CefStreamReader::CreateForFile(dir.Path("missing")));
  EXPECT_FALSE(CefStreamReader::CreateForFile(dir.path()));

  CefRefPtr<CefStreamReader> file = CefStreamReader::CreateForFile(path);
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->MayBlock());
  EXPECT_EQ(file->Seek(-3, SEEK_END), 0);
  EXPECT_EQ(file->Tell(), 7);
  EXPECT_EQ(ReadAll(file), "789");
  EXPECT_NE(file->Eof(), 0);
  EXPECT_EQ(file->Seek(2, SEEK_SET), 0);
  char two[2];
  EXPECT_EQ(file->Read(two, 2, 1), 1u);
  EXPECT_EQ(std::string(two, 2), "23");
}

TEST(StreamReaderTest, DataReaderCopiesAndKeepsInsideItsBounds) {
  std::string source = "abcdef";
  CefRefPtr<CefStreamReader> data =
      CefStreamReader::CreateForData(&source[0], source.size());
  source[0] = 'X';
  EXPECT_FALSE(data->MayBlock());
  char items[4];
  // Whole items only: three of two bytes, then nothing.
  EXPECT_EQ(data->Read(items, 2, 2), 2u);
  EXPECT_EQ(std::string(items, 4), "abcd");
  EXPECT_EQ(data->Read(items, 4, 1), 0u);
  EXPECT_EQ(data->Seek(-1, SEEK_SET), -1);
  EXPECT_EQ(data->Seek(7, SEEK_SET), -1);
  EXPECT_EQ(data->Tell(), 4);
  EXPECT_EQ(data->Seek(-2, SEEK_CUR), 0);
  EXPECT_EQ(ReadAll(data), "cdef");
  EXPECT_EQ(data->Eof(), 1);
}

TEST(ZipReaderTest, WalksEntriesAndReadsThem) {
  test_support::TempDir dir;
  std::string path = dir.Path("a.zip");
  WriteZip(path, {{"Dir/", ""}, {"Dir/One.txt", "one"}, {"two.txt", "two!"}});
  EXPECT_FALSE(CefZipReader::Create(nullptr));
  EXPECT_FALSE(CefZipReader::Create(
      CefStreamReader::CreateForFile(dir.WriteFile("x.zip", "not a zip"))));

  CefRefPtr<CefZipReader> reader =
      CefZipReader::Create(CefStreamReader::CreateForFile(path));
  ASSERT_TRUE(reader);
  std::vector<std::string> names;
  ASSERT_TRUE(reader->MoveToFirstFile());
  do {
    names.push_back(reader->GetFileName().ToString() + ":" +
                    std::to_string(reader->GetFileSize()));
  } while (reader->MoveToNextFile());
  EXPECT_EQ(names,
            (std::vector<std::string>{"Dir/:0", "Dir/One.txt:3", "two.txt:4"}));

  EXPECT_FALSE(reader->MoveToFile("dir/one.txt", true));
  ASSERT_TRUE(reader->MoveToFile("dir/one.txt", false));
  EXPECT_EQ(reader->GetFileName().ToString(), "Dir/One.txt");
  EXPECT_EQ(reader->ReadFile(nullptr, 0), -1);
  ASSERT_TRUE(reader->OpenFile(CefString()));
  char buffer[16];
  EXPECT_EQ(reader->ReadFile(buffer, sizeof(buffer)), 3);
  EXPECT_EQ(std::string(buffer, 3), "one");
  EXPECT_TRUE(reader->Eof());
  EXPECT_TRUE(reader->CloseFile());
  EXPECT_TRUE(reader->Close());
  EXPECT_FALSE(reader->MoveToFirstFile());
}

TEST(ZipArchiveTest, KeepsNonEmptyEntriesUnderLowerCaseNames) {
  test_support::TempDir dir;
  std::string path = dir.Path("site.zip");
  WriteZip(path, {{"Index.HTML", "<p>"},
                  {"img/", ""},
                  {"img/Logo.png", "PNG"},
                  {"empty.txt", ""},
                  {"index.html", "second"}});
  size_t loaded = 0;
  CefRefPtr<CefZipArchive> archive = LoadArchive(path, &loaded);
  EXPECT_EQ(loaded, 2u);
  EXPECT_EQ(archive->GetFileCount(), 2u);
  CefZipArchive::FileMap files;
  EXPECT_EQ(archive->GetFiles(files), 2u);
  std::vector<std::string> names;
  for (const auto& file : files)
    names.push_back(file.first.ToString());
  EXPECT_EQ(names, (std::vector<std::string>{"img/logo.png", "index.html"}));

  EXPECT_TRUE(archive->HasFile("INDEX.html"));
  EXPECT_FALSE(archive->HasFile("img/"));
  EXPECT_FALSE(archive->HasFile("empty.txt"));
  // Of two equal names the first stays.
  EXPECT_EQ(Data(archive->GetFile("index.html")), "<p>");
  CefRefPtr<CefStreamReader> stream =
      archive->GetFile("IMG/LOGO.PNG")->GetStreamReader();
  EXPECT_EQ(ReadAll(stream), "PNG");

  EXPECT_TRUE(archive->RemoveFile("Img/Logo.png"));
  EXPECT_FALSE(archive->RemoveFile("img/logo.png"));
  archive->Clear();
  EXPECT_EQ(archive->GetFileCount(), 0u);
}

TEST(ZipArchiveTest, OverwritingIsTheCallersChoice) {
  test_support::TempDir dir;
  std::string first = dir.Path("first.zip");
  std::string second = dir.Path("second.zip");
  WriteZip(first, {{"a.txt", "old"}, {"b.txt", "b"}});
  WriteZip(second, {{"A.TXT", "new"}, {"c.txt", "c"}});

  CefRefPtr<CefZipArchive> kept = LoadArchive(first);
  EXPECT_EQ(kept->Load(CefStreamReader::CreateForFile(second), CefString(),
                       false),
            1u);
  EXPECT_EQ(Data(kept->GetFile("a.txt")), "old");

  CefRefPtr<CefZipArchive> replaced = LoadArchive(first);
  EXPECT_EQ(replaced->Load(CefStreamReader::CreateForFile(second),
                           CefString(), true),
            2u);
  EXPECT_EQ(Data(replaced->GetFile("a.txt")), "new");
  EXPECT_EQ(replaced->GetFileCount(), 3u);
}

TEST(ZipArchiveTest, ArchivesThatAreNoZipLoadNothing) {
  test_support::TempDir dir;
  size_t loaded = 1;
  CefRefPtr<CefZipArchive> archive(new CefZipArchive());
  EXPECT_EQ(archive->Load(nullptr, CefString(), false), 0u);
  LoadArchive(dir.WriteFile("text.zip", "plain text"), &loaded);
  EXPECT_EQ(loaded, 0u);
  LoadArchive(dir.WriteFile("empty.zip", ""), &loaded);
  EXPECT_EQ(loaded, 0u);
  std::string good = dir.Path("good.zip");
  WriteZip(good, {{"a.txt", "a"}, {"b.txt", "b"}});
  std::string bytes = FileBytes(good);
  LoadArchive(dir.WriteFile("cut.zip", bytes.substr(0, bytes.size() - 30)),
              &loaded);
  EXPECT_EQ(loaded, 0u);
}

// Offsets of the headers that start with |signature|, in archive order.
std::vector<size_t> Headers(const std::string& bytes, const char* signature) {
  std::vector<size_t> offsets;
  const std::string wanted(signature, 4);
  for (size_t at = bytes.find(wanted); at != std::string::npos;
       at = bytes.find(wanted, at + 1))
    offsets.push_back(at);
  return offsets;
}

const char kLocalHeader[] = "PK\x03\x04";
const char kCentralHeader[] = "PK\x01\x02";

class DamagedZipArchiveTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string path = dir_.Path("sound.zip");
    WriteZip(path, {{"a.txt", std::string(3000, 'a')},
                    {"A.TXT", std::string(3000, 'A')},
                    {"c.txt", std::string(3000, 'c')}});
    bytes_ = FileBytes(path);
    ASSERT_EQ(Headers(bytes_, kLocalHeader).size(), 3u);
    ASSERT_EQ(Headers(bytes_, kCentralHeader).size(), 3u);
  }

  void Flip(std::string* bytes, const char* signature, size_t entry,
            size_t offset) {
    (*bytes)[Headers(bytes_, signature)[entry] + offset] ^= 0x5A;
  }

  CefRefPtr<CefZipArchive> Load(const std::string& bytes, size_t* loaded,
                                bool overwrite = false) {
    CefRefPtr<CefZipArchive> archive(new CefZipArchive());
    *loaded = archive->Load(
        CefStreamReader::CreateForFile(dir_.WriteFile("damaged.zip", bytes)),
        CefString(), overwrite);
    return archive;
  }

  test_support::TempDir dir_;
  std::string bytes_;
};

TEST_F(DamagedZipArchiveTest, AChecksumThatDoesNotMatchIsIgnored) {
  std::string damaged = bytes_;
  // The stored checksum, in the local and the central header alike, so that
  // the entry still opens and only the check after reading fails.
  Flip(&damaged, kLocalHeader, 0, 14);
  Flip(&damaged, kCentralHeader, 0, 16);
  size_t loaded = 0;
  CefRefPtr<CefZipArchive> archive = Load(damaged, &loaded);
  EXPECT_EQ(loaded, 2u);
  EXPECT_EQ(Data(archive->GetFile("a.txt")), std::string(3000, 'a'));
  EXPECT_EQ(Data(archive->GetFile("c.txt")), std::string(3000, 'c'));
}

TEST_F(DamagedZipArchiveTest, DamagedDataKeepsWhatWasReadAndLoadingGoesOn) {
  std::string damaged = bytes_;
  const size_t data_start = 30 + 5;  // local header, then the name "a.txt"
  for (size_t i = data_start; i < data_start + 8; ++i)
    Flip(&damaged, kLocalHeader, 0, i);
  size_t loaded = 0;
  CefRefPtr<CefZipArchive> archive = Load(damaged, &loaded);
  EXPECT_EQ(loaded, 2u);
  ASSERT_TRUE(archive->HasFile("a.txt"));
  EXPECT_LE(archive->GetFile("a.txt")->GetDataSize(), 3000u);
  EXPECT_EQ(Data(archive->GetFile("c.txt")), std::string(3000, 'c'));
}

TEST_F(DamagedZipArchiveTest, AnEntryThatDoesNotOpenEndsTheLoading) {
  // Its local header no longer starts as one: the entry cannot be opened,
  // and that stops the loading even though the entry, a second "a.txt",
  // would only have been passed over.
  std::string damaged = bytes_;
  Flip(&damaged, kLocalHeader, 1, 0);
  size_t loaded = 0;
  CefRefPtr<CefZipArchive> archive = Load(damaged, &loaded);
  EXPECT_EQ(loaded, 1u);
  EXPECT_EQ(Data(archive->GetFile("a.txt")), std::string(3000, 'a'));
  EXPECT_FALSE(archive->HasFile("c.txt"));

  // With overwriting the first one stays, as nothing replaced it.
  archive = Load(damaged, &loaded, true);
  EXPECT_EQ(loaded, 1u);
  EXPECT_EQ(Data(archive->GetFile("a.txt")), std::string(3000, 'a'));
}

}  // namespace
