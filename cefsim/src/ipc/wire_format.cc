#include "cefsim/src/ipc/wire_format.h"

#include <cstring>

namespace cefsim {

void WireWriter::Raw(const void* data, size_t size) {
  data_.append(static_cast<const char*>(data), size);
}

void WireWriter::U8(uint8_t value) { Raw(&value, sizeof(value)); }
void WireWriter::U32(uint32_t value) { Raw(&value, sizeof(value)); }
void WireWriter::I32(int32_t value) { Raw(&value, sizeof(value)); }
void WireWriter::I64(int64_t value) { Raw(&value, sizeof(value)); }
void WireWriter::F64(double value) { Raw(&value, sizeof(value)); }

void WireWriter::Bytes(const void* data, size_t size) {
  U32(static_cast<uint32_t>(size));
  Raw(data, size);
}

void WireWriter::Utf16Units(const void* units, size_t length) {
  static_assert(sizeof(char16) == sizeof(char16_t), "UTF-16 units");
  U32(static_cast<uint32_t>(length));
  Raw(units, length * sizeof(char16_t));
}

void WireWriter::Utf8List(const std::vector<std::string>& items) {
  U32(static_cast<uint32_t>(items.size()));
  for (const std::string& item : items)
    Utf8(item);
}

bool WireReader::Raw(void* out, size_t size) {
  if (!ok_ || size > left_) {
    ok_ = false;
    memset(out, 0, size);
    return false;
  }
  memcpy(out, data_, size);
  data_ += size;
  left_ -= size;
  return true;
}

uint8_t WireReader::U8() {
  uint8_t value;
  Raw(&value, sizeof(value));
  return value;
}

uint32_t WireReader::U32() {
  uint32_t value;
  Raw(&value, sizeof(value));
  return value;
}

int32_t WireReader::I32() {
  int32_t value;
  Raw(&value, sizeof(value));
  return value;
}

int64_t WireReader::I64() {
  int64_t value;
  Raw(&value, sizeof(value));
  return value;
}

double WireReader::F64() {
  double value;
  Raw(&value, sizeof(value));
  return value;
}

uint32_t WireReader::Count(size_t min_item_size) {
  uint32_t count = U32();
  if (ok_ && min_item_size > 0 && count > left_ / min_item_size)
    ok_ = false;
  return ok_ ? count : 0;
}

std::string WireReader::Bytes() {
  uint32_t size = Count(1);
  std::string text(size, '\0');
  if (size > 0)
    Raw(&text[0], size);
  return ok_ ? text : std::string();
}

std::u16string WireReader::Utf16() {
  uint32_t size = Count(sizeof(char16_t));
  std::u16string text(size, u'\0');
  if (size > 0)
    Raw(&text[0], size * sizeof(char16_t));
  return ok_ ? text : std::u16string();
}

std::vector<std::string> WireReader::Utf8List() {
  uint32_t count = Count(sizeof(uint32_t));
  std::vector<std::string> items;
  for (uint32_t i = 0; i < count && ok_; ++i)
    items.push_back(Utf8());
  return ok_ ? items : std::vector<std::string>();
}

}  // namespace cefsim
