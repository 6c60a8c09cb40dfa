// The value of one hexadecimal digit, as percent escapes and IPv6 hosts
// spell them.
#ifndef CEFSIM_SRC_STRINGS_HEX_DIGIT_H_
#define CEFSIM_SRC_STRINGS_HEX_DIGIT_H_

namespace cefsim {

// 0 to 15, or -1 for a character that is no hex digit.
constexpr int HexDigitValue(char c) {
  return c >= '0' && c <= '9'   ? c - '0'
         : c >= 'a' && c <= 'f' ? c - 'a' + 10
         : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                : -1;
}

}  // namespace cefsim

#endif  // CEFSIM_SRC_STRINGS_HEX_DIGIT_H_
