#include "cefsim/src/render/text_decoding.h"

#include <cstring>

#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/strings/utf_conversion.h"

namespace cefsim {
namespace {

constexpr char kUtf8[] = "UTF-8";
constexpr char kUtf16Le[] = "UTF-16LE";
constexpr char kUtf16Be[] = "UTF-16BE";
constexpr char kWindows1252[] = "windows-1252";

// Where windows-1252 differs from ISO-8859-1: 0x80 to 0x9F.
const char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The canonical name for an encoding label, or empty for one the stand-in
// does not decode.
std::string EncodingForLabel(const std::string& label) {
  const std::string name = ToLowerAscii(label);
  if (name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8")
    return kUtf8;
  if (name == "utf-16le" || name == "utf-16")
    return kUtf16Le;
  if (name == "utf-16be")
    return kUtf16Be;
  for (const char* latin1 :
       {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1", "us-ascii",
        "ascii", "windows-1252", "cp1252", "x-cp1252", "cp819", "ibm819"}) {
    if (name == latin1)
      return kWindows1252;
  }
  return std::string();
}

std::string Utf16ToText(const std::u16string& units) {
  std::string utf8;
  Utf16ToUtf8(units.data(), units.size(), &utf8);
  return utf8;
}

void AppendUtf8(char16_t unit, std::string* utf8) {
  if (unit < 0x800) {
    utf8->push_back(static_cast<char>(0xC0 | unit >> 6));
  } else {
    utf8->push_back(static_cast<char>(0xE0 | unit >> 12));
    utf8->push_back(static_cast<char>(0x80 | (unit >> 6 & 0x3F)));
  }
  utf8->push_back(static_cast<char>(0x80 | (unit & 0x3F)));
}

// Runs of ASCII, the bulk of a page, are copied whole.
std::string DecodeWindows1252(const std::string& bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  size_t ascii_from = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80)
      continue;
    utf8.append(bytes, ascii_from, i - ascii_from);
    AppendUtf8(byte < 0xA0 ? kWindows1252High[byte - 0x80]
                           : static_cast<char16_t>(byte),
               &utf8);
    ascii_from = i + 1;
  }
  utf8.append(bytes, ascii_from, std::string::npos);
  return utf8;
}

bool IsAscii(const std::string& bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  }
  return true;
}

std::string Decode(std::string bytes, const std::string& encoding) {
  std::u16string units;
  if (encoding == kUtf16Le || encoding == kUtf16Be) {
    const bool little = encoding == kUtf16Le;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      const unsigned char first = static_cast<unsigned char>(bytes[i]);
      const unsigned char second = static_cast<unsigned char>(bytes[i + 1]);
      units.push_back(little ? static_cast<char16_t>(first | second << 8)
                             : static_cast<char16_t>(first << 8 | second));
    }
    if (bytes.size() % 2)
      units.push_back(0xFFFD);
    return Utf16ToText(units);
  }
  // Both read ASCII as it stands.
  if (IsAscii(bytes))
    return bytes;
  if (encoding == kWindows1252)
    return DecodeWindows1252(bytes);
  // UTF-8: invalid sequences become U+FFFD.
  Utf8ToUtf16(bytes.data(), bytes.size(), &units);
  return Utf16ToText(units);
}

// The encoding a byte-order mark names, and its length; empty without one.
std::string EncodingOfByteOrderMark(const std::string& body, size_t* length) {
  if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    *length = 3;
    return kUtf8;
  }
  if (body.compare(0, 2, "\xFF\xFE") == 0) {
    *length = 2;
    return kUtf16Le;
  }
  if (body.compare(0, 2, "\xFE\xFF") == 0) {
    *length = 2;
    return kUtf16Be;
  }
  return std::string();
}

// The value of "charset=" in |text| (a meta element's attributes or a
// content type), without quotes; empty when there is none.
std::string CharsetParameter(const std::string& text, size_t from,
                             size_t end) {
  const std::string lower = ToLowerAscii(text.substr(from, end - from));
  size_t at = lower.find("charset");
  while (at != std::string::npos) {
    size_t value = at + 7;
    while (value < lower.size() && lower[value] == ' ')
      ++value;
    if (value < lower.size() && lower[value] == '=') {
      ++value;
      while (value < lower.size() && (lower[value] == ' ' ||
                                      lower[value] == '"' ||
                                      lower[value] == '\''))
        ++value;
      size_t stop = value;
      while (stop < lower.size() && !strchr(" \"';>/\t\r\n", lower[stop]))
        ++stop;
      return text.substr(from + value, stop - value);
    }
    at = lower.find("charset", at + 7);
  }
  return std::string();
}

// The charset a <meta> element declares among the first 1024 bytes, as
// Blink's HTMLMetaCharsetParser finds <meta charset=...> and <meta
// http-equiv="Content-Type" content="...; charset=...">.
std::string DeclaredCharset(const std::string& html) {
  const std::string head = ToLowerAscii(html.substr(0, 1024));
  size_t meta = head.find("<meta");
  while (meta != std::string::npos) {
    const size_t end = head.find('>', meta);
    if (end == std::string::npos)
      break;
    const std::string charset = CharsetParameter(html, meta + 5, end);
    if (!charset.empty() && !EncodingForLabel(charset).empty())
      return charset;
    meta = head.find("<meta", end);
  }
  return std::string();
}

DecodedText DecodeWith(std::string body, const std::string& encoding) {
  return DecodedText{Decode(std::move(body), encoding), encoding};
}

// Decodes by a byte-order mark, else by the response's charset; false when
// neither names an encoding the stand-in decodes.
bool DecodeByMarkOrCharset(std::string* body, const std::string& charset,
                           DecodedText* text) {
  size_t mark_length = 0;
  std::string encoding = EncodingOfByteOrderMark(*body, &mark_length);
  if (!encoding.empty()) {
    body->erase(0, mark_length);
    *text = DecodeWith(std::move(*body), encoding);
    return true;
  }
  encoding = EncodingForLabel(charset);
  if (encoding.empty())
    return false;
  *text = DecodeWith(std::move(*body), encoding);
  return true;
}

std::string EncodingOrDefault(const std::string& label) {
  const std::string encoding = EncodingForLabel(label);
  return encoding.empty() ? EncodingForLabel(kDefaultTextEncoding) : encoding;
}

}  // namespace

DecodedText DecodeDocumentText(std::string body, const std::string& charset,
                               const std::string& default_encoding) {
  DecodedText text;
  if (DecodeByMarkOrCharset(&body, charset, &text))
    return text;
  const std::string declared = DeclaredCharset(body);
  if (!declared.empty())
    return DecodeWith(std::move(body), EncodingForLabel(declared));
  return DecodeWith(std::move(body), EncodingOrDefault(default_encoding));
}

DecodedText DecodeScriptText(std::string body, const std::string& charset,
                             const std::string& document_encoding) {
  DecodedText text;
  if (DecodeByMarkOrCharset(&body, charset, &text))
    return text;
  return DecodeWith(std::move(body), EncodingOrDefault(document_encoding));
}

}  // namespace cefsim
