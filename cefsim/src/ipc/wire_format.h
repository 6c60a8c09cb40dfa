// The byte encoding of everything that crosses the channel between the
// browser process and a render process. The reader checks every length
// against what is left, so that malformed input fails cleanly.
#ifndef CEFSIM_SRC_IPC_WIRE_FORMAT_H_
#define CEFSIM_SRC_IPC_WIRE_FORMAT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "include/base/cef_basictypes.h"

namespace cefsim {

class WireWriter {
 public:
  // Room for a typical message up front, rather than a reallocation for each
  // doubling on the way.
  WireWriter() { data_.reserve(256); }

  void U8(uint8_t value);
  void U32(uint32_t value);
  void I32(int32_t value);
  void I64(int64_t value);
  void F64(double value);
  void Bytes(const void* data, size_t size);  // Length first, then the bytes.
  void Utf8(const std::string& text) { Bytes(text.data(), text.size()); }
  void Utf16(const std::u16string& text) { Utf16(text.data(), text.size()); }
  void Utf16(const char16_t* text, size_t length) { Utf16Units(text, length); }
  // CEF's own UTF-16 units, as a CefString holds them: the same bytes.
  void Utf16(const char16* text, size_t length) { Utf16Units(text, length); }
  void Utf8List(const std::vector<std::string>& items);

  const std::string& data() const { return data_; }
  std::string Take() { return std::move(data_); }

 private:
  void Raw(const void* data, size_t size);
  void Utf16Units(const void* units, size_t length);
  std::string data_;
};

// Once a read fails, ok() stays false and later reads give neutral values.
class WireReader {
 public:
  WireReader(const char* data, size_t size) : data_(data), left_(size) {}
  explicit WireReader(const std::string& data)
      : WireReader(data.data(), data.size()) {}

  uint8_t U8();
  uint32_t U32();
  int32_t I32();
  int64_t I64();
  double F64();
  std::string Bytes();
  std::string Utf8() { return Bytes(); }
  std::u16string Utf16();
  std::vector<std::string> Utf8List();

  // A count of items, each of which takes at least |min_item_size| bytes:
  // refused when the rest of the input could not hold them.
  uint32_t Count(size_t min_item_size);

  bool ok() const { return ok_; }
  bool AtEnd() const { return left_ == 0; }
  void Fail() { ok_ = false; }

 private:
  bool Raw(void* out, size_t size);

  const char* data_;
  size_t left_;
  bool ok_ = true;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_WIRE_FORMAT_H_
