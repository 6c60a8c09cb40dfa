#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "include/cef_stream.h"
#include "include/cef_zip_reader.h"
#include "include/wrapper/cef_zip_archive.h"
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

TEST(ZipArchiveTest, DamagedArchivesLoadNoBadData) {
  test_support::TempDir dir;
  size_t loaded = 1;
  CefRefPtr<CefZipArchive> archive(new CefZipArchive());
  EXPECT_EQ(archive->Load(nullptr, CefString(), false), 0u);
  LoadArchive(dir.WriteFile("text.zip", "plain text"), &loaded);
  EXPECT_EQ(loaded, 0u);
  LoadArchive(dir.WriteFile("empty.zip", ""), &loaded);
  EXPECT_EQ(loaded, 0u);

  std::string good = dir.Path("good.zip");
  WriteZip(good, {{"a.txt", std::string(3000, 'a')},
                  {"b.txt", std::string(3000, 'b')}});
  std::string bytes = FileBytes(good);
  LoadArchive(dir.WriteFile("cut.zip", bytes.substr(0, bytes.size() - 30)),
              &loaded);
  EXPECT_EQ(loaded, 0u);

  // Corrupt the compressed data of the first entry: its checksum (or the
  // inflation) fails, and loading stops there instead of keeping bad bytes.
  std::string corrupted = bytes;
  const size_t data_start = 30 + 5;  // local header, then the name "a.txt"
  for (size_t i = data_start; i < data_start + 8; ++i)
    corrupted[i] = static_cast<char>(corrupted[i] ^ 0x5A);
  CefRefPtr<CefZipArchive> damaged =
      LoadArchive(dir.WriteFile("bad.zip", corrupted), &loaded);
  EXPECT_EQ(loaded, 0u);
  EXPECT_FALSE(damaged->HasFile("a.txt"));
}

}  // namespace
