#include "test_support/temp_dir.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace test_support {

TempDir::TempDir() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "zubrix-test-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data()))
    throw std::runtime_error("cannot make a temporary folder");
  path_ = name.data();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Path(const std::string& relative) const {
  return path_ + "/" + relative;
}

std::string TempDir::WriteFile(const std::string& relative,
                               const std::string& contents) const {
  std::string path = Path(relative);
  std::filesystem::create_directories(
      std::filesystem::path(path).parent_path());
  std::ofstream file(path, std::ios::binary);
  file << contents;
  if (!file)
    throw std::runtime_error("cannot write " + path);
  return path;
}

std::string TempDir::MakeFolder(const std::string& relative) const {
  std::string path = Path(relative);
  std::filesystem::create_directories(path);
  return path;
}

}  // namespace test_support
