// A file of the internal content folder, served in pieces straight from disk
// into the buffers CEF hands out, so that no copy of the whole file is held.
#ifndef ZUBRIX_SCHEME_FILE_BODY_H_
#define ZUBRIX_SCHEME_FILE_BODY_H_

#include <cstdint>
#include <string>

#include "scheme/regular_file.h"

namespace zubrix {

class FileBody {
 public:
  FileBody() = default;
  ~FileBody();
  FileBody(const FileBody&) = delete;
  FileBody& operator=(const FileBody&) = delete;

  // Opens |utf8_path| when it is a regular file, without waiting on what it
  // names; its length is its size now. False, and nothing open, otherwise.
  bool Open(const std::string& utf8_path);
  bool is_open() const { return open_; }
  int64_t length() const { return length_; }
  int64_t remaining() const { return remaining_; }

  // Copies up to |capacity| of the bytes still to come into |out| and
  // returns how many. 0 while bytes remain means the file ended early (it
  // was cut while served) or a read failed.
  size_t Read(void* out, size_t capacity);
  void Close();

 private:
  NativeFile file_;
  bool open_ = false;
  int64_t length_ = 0;
  int64_t remaining_ = 0;
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_FILE_BODY_H_
