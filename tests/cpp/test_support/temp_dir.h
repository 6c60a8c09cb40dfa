// A fresh folder for one test, removed with everything in it afterwards.
#ifndef ZUBRIX_TESTS_CPP_TEST_SUPPORT_TEMP_DIR_H_
#define ZUBRIX_TESTS_CPP_TEST_SUPPORT_TEMP_DIR_H_

#include <string>

namespace test_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // |relative| below the folder, joined with "/".
  std::string Path(const std::string& relative) const;
  // Writes a file, making the folders on its way.
  std::string WriteFile(const std::string& relative,
                        const std::string& contents) const;
  std::string MakeFolder(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace test_support

#endif  // ZUBRIX_TESTS_CPP_TEST_SUPPORT_TEMP_DIR_H_
