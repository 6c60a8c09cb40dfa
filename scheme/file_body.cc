#include "scheme/file_body.h"

#include <algorithm>

namespace zubrix {

FileBody::~FileBody() {
  Close();
}

bool FileBody::Open(const std::string& utf8_path) {
  Close();
  int64_t size = 0;
  if (!OpenRegularNativeFile(utf8_path, &file_, &size))
    return false;
  open_ = true;
  length_ = size;
  remaining_ = size;
  return true;
}

size_t FileBody::Read(void* out, size_t capacity) {
  if (!open_ || remaining_ <= 0)
    return 0;
  const size_t wanted = static_cast<size_t>(
      std::min<uint64_t>(capacity, static_cast<uint64_t>(remaining_)));
  // A read may return less than asked before the end; the piece is filled
  // so that the caller's pieces keep their size.
  size_t done = 0;
  while (done < wanted) {
    const int64_t got =
        ReadNativeFile(file_, static_cast<char*>(out) + done, wanted - done);
    if (got <= 0)
      break;
    done += static_cast<size_t>(got);
  }
  remaining_ -= static_cast<int64_t>(done);
  return done;
}

BodySource::Piece FileBody::Read(void* out, size_t capacity, size_t* count) {
  *count = 0;
  if (open_ && remaining_ == 0)
    return Piece::kEnd;
  *count = Read(out, capacity);
  return *count > 0 ? Piece::kData : Piece::kBroken;
}

void FileBody::Close() {
  if (open_)
    CloseNativeFile(file_);
  open_ = false;
  remaining_ = 0;
}

}  // namespace zubrix
