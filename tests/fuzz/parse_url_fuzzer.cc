// CefParseURL over any text: it never crashes, what it accepts has a
// scheme of scheme characters, and its full URL parses again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "include/base/cef_string16.h"
#include "include/cef_parser.h"

namespace {

void Check(bool condition) {
  if (!condition)
    abort();
}

base::string16 Text(const cef_string_t& field) {
  return CefString(&field).ToString16();
}

bool IsSchemeCharacter(base::char16 c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-' || c == '.';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Even sizes read as UTF-16 code units, odd ones as UTF-8 bytes, so that
  // lone surrogates and invalid UTF-8 both reach the parser.
  CefString url;
  if (size % 2 == 0) {
    base::string16 units(size / 2, 0);
    for (size_t i = 0; i < units.size(); ++i)
      units[i] = static_cast<base::char16>(data[2 * i] | data[2 * i + 1] << 8);
    url = units;
  } else {
    url.FromString(std::string(reinterpret_cast<const char*>(data), size));
  }
  CefURLParts parts;
  if (!CefParseURL(url, parts))
    return 0;
  const base::string16 scheme = Text(parts.scheme);
  Check(!scheme.empty());
  for (base::char16 c : scheme)
    Check(IsSchemeCharacter(c));
  // What it accepts it can give back as a full URL that parses again.
  Check(CefParseURL(CefString(Text(parts.spec)), parts));
  return 0;
}
