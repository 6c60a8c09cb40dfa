// What a "client" response's body is read from, a piece at a time, on CEF's
// file thread: a folder file or an archive entry.
#ifndef ZUBRIX_SCHEME_BODY_SOURCE_H_
#define ZUBRIX_SCHEME_BODY_SOURCE_H_

#include <cstddef>
#include <cstdint>

namespace zubrix {

class BodySource {
 public:
  enum class Piece {
    // |*count| bytes, at least one, were read.
    kData,
    // Every byte of length() was read, and the body proved intact.
    kEnd,
    // The body turned out shorter than its length, damaged, or unreadable:
    // what was read so far cannot be trusted to be the whole.
    kBroken,
  };

  virtual ~BodySource() {}

  // The body's size, as promised to CEF before its first byte.
  virtual int64_t length() const = 0;
  // Reads up to |capacity| (more than 0) of the bytes still to come.
  virtual Piece Read(void* out, size_t capacity, size_t* count) = 0;
};

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_BODY_SOURCE_H_
