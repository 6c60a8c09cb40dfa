// ASCII case folding, the only kind the stand-in needs: schemes, hosts, header
// names, MIME types and tag names compare this way, whatever the locale.
#ifndef CEFSIM_SRC_STRINGS_ASCII_CASE_H_
#define CEFSIM_SRC_STRINGS_ASCII_CASE_H_

namespace cefsim {

template <typename Char>
constexpr Char ToLowerAsciiChar(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

// |text| with its ASCII capitals made small; other units stay. Any string of
// char or char16_t units.
template <typename Text>
Text ToLowerAscii(Text text) {
  for (auto& c : text)
    c = ToLowerAsciiChar(c);
  return text;
}

}  // namespace cefsim

#endif  // CEFSIM_SRC_STRINGS_ASCII_CASE_H_
