// Reads a fuzzer's input as a stream of little-endian values; past its end
// every read gives zero, so a builder never runs out of input mid-step.
#ifndef ZUBRIX_TESTS_FUZZ_FUZZ_INPUT_H_
#define ZUBRIX_TESTS_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "include/base/cef_string16.h"

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), left_(size) {}

  bool empty() const { return left_ == 0; }

  uint8_t Next() {
    if (left_ == 0)
      return 0;
    --left_;
    return *data_++;
  }

  uint32_t Next32() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
      value |= static_cast<uint32_t>(Next()) << (8 * i);
    return value;
  }

  // Any bit pattern: NaNs, infinities and subnormals among them.
  double NextDouble() {
    double value;
    uint64_t bits = Next32() | static_cast<uint64_t>(Next32()) << 32;
    memcpy(&value, &bits, sizeof(value));
    return value;
  }

  // Up to 15 UTF-16 code units, NULs and lone surrogates among them.
  base::string16 NextText16() {
    base::string16 units(Next() % 16, 0);
    for (base::char16& unit : units)
      unit = static_cast<base::char16>(Next() | Next() << 8);
    return units;
  }

 private:
  const uint8_t* data_;
  size_t left_;
};

#endif  // ZUBRIX_TESTS_FUZZ_FUZZ_INPUT_H_
