// A file of the internal content folder, read in pieces straight from disk,
// so that no copy of the whole file is held.
#ifndef ZUBRIX_SCHEME_FILE_BODY_H_
#define ZUBRIX_SCHEME_FILE_BODY_H_

#include <cstdint>
#include <string>

#include "scheme/body_source.h"
#include "scheme/regular_file.h"

namespace zubrix {

class FileBody : public BodySource {
 public:
  FileBody() = default;
  ~FileBody() override;
  FileBody(const FileBody&) = delete;
  FileBody& operator=(const FileBody&) = delete;

  // Opens |utf8_path| when it is a regular file, without waiting on what it
  // names; its length is its size now. False, and nothing open, otherwise.
  bool Open(const std::string& utf8_path);
  bool is_open() const { return open_; }
  int64_t length() const override { return length_; }
  int64_t remaining() const { return remaining_; }

  // Copies up to |capacity| of the bytes still to come into |out| and
  // returns how many. 0 while bytes remain means the file ended early (it
  // was cut while served) or a read failed.
  size_t Read(void* out, size_t capacity);
  void Close();

  // BodySource: a file that ends early (it was cut while served) or fails a
  // read is broken; bytes appended after opening are never read.
  Piece Read(void* out, size_t capacity, size_t* count) override;

 private:
  NativeFile file_;
  bool open_ = false;
  int64_t length_ = 0;
  int64_t remaining_ = 0;
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_FILE_BODY_H_
