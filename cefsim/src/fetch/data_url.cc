#include "cefsim/src/fetch/data_url.h"

#include <algorithm>
#include <cctype>

#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace cefsim {
namespace {

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z')
    return c - 'A';
  if (c >= 'a' && c <= 'z')
    return c - 'a' + 26;
  if (c >= '0' && c <= '9')
    return c - '0' + 52;
  if (c == '+' || c == '-')
    return 62;
  if (c == '/' || c == '_')
    return 63;
  return -1;
}

// Blanks are skipped and padding is optional, as browsers accept it.
bool Base64Decode(const std::string& text, std::string* out) {
  uint32_t bits = 0;
  int bit_count = 0;
  bool padding = false;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c)))
      continue;
    if (c == '=') {
      padding = true;
      continue;
    }
    int value = Base64Value(c);
    if (value < 0 || padding)
      return false;
    bits = (bits << 6) | static_cast<uint32_t>(value);
    bit_count += 6;
    if (bit_count >= 8) {
      bit_count -= 8;
      out->push_back(static_cast<char>((bits >> bit_count) & 0xFF));
    }
  }
  // One leftover character cannot carry a byte.
  return bit_count != 6;
}

}  // namespace

bool ParseDataUrl(const std::string& url, DataUrlContent* content) {
  CanonicalUrl canonical;
  if (!CanonicalizeUrl(url, &canonical) || canonical.scheme != "data")
    return false;
  // What follows "data:", without the fragment, which is not part of the
  // data.
  std::string text = canonical.full_url.substr(5);
  text.resize(std::min(text.find('#'), text.size()));
  size_t comma = text.find(',');
  if (comma == std::string::npos)
    return false;
  std::string header = text.substr(0, comma);
  std::string data = text.substr(comma + 1);

  bool base64 = false;
  std::string mime;
  content->charset.clear();
  size_t start = 0;
  for (size_t index = 0; start <= header.size(); ++index) {
    size_t semicolon = header.find(';', start);
    std::string part = ToLowerAscii(header.substr(
        start, semicolon == std::string::npos ? std::string::npos
                                              : semicolon - start));
    if (index == 0)
      mime = part;
    else if (part == "base64")
      base64 = true;
    else if (part.compare(0, 8, "charset=") == 0)
      content->charset = part.substr(8);
    if (semicolon == std::string::npos)
      break;
    start = semicolon + 1;
  }
  content->mime_type = mime.empty() ? "text/plain" : mime;
  std::string decoded = PercentDecode(data);
  content->body.clear();
  if (!base64) {
    content->body = decoded;
    return true;
  }
  return Base64Decode(decoded, &content->body);
}

}  // namespace cefsim
