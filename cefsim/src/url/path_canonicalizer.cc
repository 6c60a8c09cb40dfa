#include "cefsim/src/url/path_canonicalizer.h"

#include <cstring>

#include "cefsim/src/strings/hex_digit.h"

namespace cefsim {
namespace {

// What a path character needs, as Chromium's kPathCharLookup table has it.
enum PathCharFlags : unsigned char {
  kPass = 0,
  kSpecial = 1,
  kEscapeBit = 2,
  kEscape = kEscapeBit | kSpecial,
  kUnescape = 4,
  kInvalidBit = 8,
  kInvalid = kInvalidBit | kSpecial,
};

bool IsAsciiAlphanumeric(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9');
}

unsigned char FlagsOf(unsigned char c) {
  if (c == 0)
    return kInvalid;
  if (c < 0x20 || c >= 0x7F)
    return kEscape;
  // Unreserved characters: their escapes are decoded.
  if (IsAsciiAlphanumeric(c) || c == '-' || c == '_' || c == '~')
    return kUnescape;
  if (c == '.')
    return kSpecial;
  if (strchr(" \"#%<>?\\^`{|}", c))
    return kEscape;
  return kPass;
}

// The byte that the escape at |at| stands for, or -1 when there is none.
int EscapedByteAt(const std::string& text, size_t at) {
  if (text[at] != '%' || at + 2 >= text.size())
    return -1;
  const int high = HexDigitValue(text[at + 1]);
  const int low = HexDigitValue(text[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool IsUrlSlash(char c) { return c == '/' || c == '\\'; }

// How many characters the dot at |at| takes: 1 for ".", 3 for "%2e", else 0.
size_t DotLengthAt(const std::string& text, size_t at) {
  if (text[at] == '.')
    return 1;
  return EscapedByteAt(text, at) == '.' ? 3 : 0;
}

void AppendEscaped(unsigned char byte, std::string* output) {
  static const char kHex[] = "0123456789ABCDEF";
  output->push_back('%');
  output->push_back(kHex[byte >> 4]);
  output->push_back(kHex[byte & 0xF]);
}

// Drops the last segment of |output|, which ends with a slash, keeping the
// slash before it; never past |path_begin|.
void BackUpToPreviousSlash(size_t path_begin, std::string* output) {
  size_t at = output->size() - 1;
  if (at <= path_begin)
    return;
  --at;
  while (at > path_begin && (*output)[at] != '/')
    --at;
  output->resize(at + 1);
}

enum class DotSegment { kNone, kCurrent, kParent };

// What the dot that ends before |after| makes of its segment; |consumed|
// counts what it takes beyond that dot: a second dot and a slash.
DotSegment ClassifyAfterDot(const std::string& path, size_t after,
                            size_t* consumed) {
  *consumed = 0;
  if (after == path.size())
    return DotSegment::kCurrent;
  if (IsUrlSlash(path[after])) {
    *consumed = 1;
    return DotSegment::kCurrent;
  }
  const size_t second = DotLengthAt(path, after);
  if (second == 0)
    return DotSegment::kNone;
  if (after + second == path.size()) {
    *consumed = second;
    return DotSegment::kParent;
  }
  if (IsUrlSlash(path[after + second])) {
    *consumed = second + 1;
    return DotSegment::kParent;
  }
  return DotSegment::kNone;
}

}  // namespace

bool AppendCanonicalPartialPath(const std::string& path, size_t path_begin,
                                std::string* output) {
  bool valid = true;
  for (size_t i = 0; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    const unsigned char flags = FlagsOf(c);
    if (!(flags & kSpecial)) {
      output->push_back(static_cast<char>(c));
      continue;
    }
    const size_t dot_length = DotLengthAt(path, i);
    if (dot_length > 0) {
      // Only a dot that starts a segment can be one of its own.
      if (output->size() > path_begin && output->back() == '/') {
        size_t consumed = 0;
        switch (ClassifyAfterDot(path, i + dot_length, &consumed)) {
          case DotSegment::kNone:
            output->push_back('.');
            break;
          case DotSegment::kCurrent:
            break;
          case DotSegment::kParent:
            BackUpToPreviousSlash(path_begin, output);
            break;
        }
        i += dot_length + consumed - 1;
      } else {
        output->push_back('.');
        i += dot_length - 1;
      }
    } else if (c == '\\') {
      output->push_back('/');
    } else if (c == '%') {
      const int byte = EscapedByteAt(path, i);
      if (byte < 0) {
        // A lone '%' is kept as it is.
        output->push_back('%');
        continue;
      }
      const unsigned char escaped_flags =
          FlagsOf(static_cast<unsigned char>(byte));
      if (escaped_flags & kUnescape) {
        output->push_back(static_cast<char>(byte));
      } else {
        // Kept with its own hex digits, in case a server minds their case.
        output->append(path, i, 3);
        if (escaped_flags & kInvalidBit)
          valid = false;
      }
      i += 2;
    } else {
      AppendEscaped(c, output);
      if (flags & kInvalidBit)
        valid = false;
    }
  }
  return valid;
}

bool AppendCanonicalPath(const std::string& path, std::string* output) {
  const size_t path_begin = output->size();
  if (path.empty() || !IsUrlSlash(path[0]))
    output->push_back('/');
  return AppendCanonicalPartialPath(path, path_begin, output);
}

}  // namespace cefsim
