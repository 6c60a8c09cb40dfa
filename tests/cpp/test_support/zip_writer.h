// Writes ZIP archives with minizip, entries in the order given.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_ZIP_WRITER_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_ZIP_WRITER_H_

#include <string>
#include <vector>

namespace test_support {

// A name ending in "/" with no data is a folder entry.
struct ZipEntry {
  std::string name;
  std::string data;
};

// Deflated entries; equal names are written as often as they are given.
void WriteZip(const std::string& path, const std::vector<ZipEntry>& entries);

}  // namespace test_support

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_ZIP_WRITER_H_
