#include "cefsim/src/url/url_canonicalizer.h"

#include "cefsim/src/strings/ascii_case.h"
#include "cefsim/src/strings/hex_digit.h"
#include "cefsim/src/url/path_canonicalizer.h"

#include <cstring>
#include <utility>
#include <vector>

namespace cefsim {
namespace {

bool IsAsciiAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string StripWhitespace(const std::string& url) {
  size_t begin = 0;
  size_t end = url.size();
  while (begin < end && static_cast<unsigned char>(url[begin]) <= 0x20)
    ++begin;
  while (end > begin && static_cast<unsigned char>(url[end - 1]) <= 0x20)
    --end;
  std::string stripped;
  for (size_t i = begin; i < end; ++i) {
    if (url[i] != '\t' && url[i] != '\n' && url[i] != '\r')
      stripped += url[i];
  }
  return stripped;
}

namespace {

bool CanonicalizeScheme(const std::string& raw, std::string* scheme) {
  if (raw.empty() || !IsAsciiAlpha(raw[0]))
    return false;
  scheme->clear();
  for (char c : raw) {
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '+' && c != '-' &&
        c != '.')
      return false;
    *scheme += ToLowerAsciiChar(c);
  }
  return true;
}

void AppendEscaped(unsigned char byte, std::string* out) {
  static const char kHex[] = "0123456789ABCDEF";
  *out += '%';
  *out += kHex[byte >> 4];
  *out += kHex[byte & 0xF];
}

// Copies |raw|, percent-escaping what may not appear literally; escapes that
// are already there stay as they are.
std::string Escape(const std::string& raw, const char* also_escaped) {
  std::string escaped;
  for (char c : raw) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || strchr(also_escaped, c))
      AppendEscaped(byte, &escaped);
    else
      escaped += c;
  }
  return escaped;
}

// The lax rule of URLs without authority: only control characters and bytes
// beyond ASCII are escaped.
std::string EscapeControlsAndNonAscii(const std::string& raw) {
  std::string escaped;
  for (char c : raw) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte >= 0x80)
      AppendEscaped(byte, &escaped);
    else
      escaped += c;
  }
  return escaped;
}

const char* DefaultPort(const std::string& scheme) {
  if (scheme == "http" || scheme == "ws")
    return "80";
  if (scheme == "https" || scheme == "wss")
    return "443";
  if (scheme == "ftp")
    return "21";
  if (scheme == "gopher")
    return "70";
  return "";
}

// Leading zeros go and the scheme's default port is dropped.
bool CanonicalizePort(const std::string& raw, const std::string& scheme,
                      std::string* port) {
  port->clear();
  if (raw.empty())
    return true;
  unsigned long value = 0;
  for (char c : raw) {
    if (!IsAsciiDigit(c))
      return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
    if (value > 65535)
      return false;
  }
  std::string digits = std::to_string(value);
  if (digits != DefaultPort(scheme))
    *port = digits;
  return true;
}

// Splits |rest| at the first '?' and '#' that end the path.
void SplitPathQueryRef(const std::string& rest, std::string* path,
                       std::string* query, std::string* ref, bool* has_query,
                       bool* has_ref) {
  size_t end = rest.find_first_of("?#");
  *path = rest.substr(0, end);
  *has_query = end != std::string::npos && rest[end] == '?';
  size_t hash = rest.find('#', end == std::string::npos ? rest.size() : end);
  *has_ref = hash != std::string::npos;
  if (*has_query)
    *query = rest.substr(end + 1, *has_ref ? hash - end - 1 : std::string::npos);
  if (*has_ref)
    *ref = rest.substr(hash + 1);
}

bool CanonicalizeStandard(const std::string& rest, CanonicalUrl* out) {
  const bool is_file = out->scheme == "file";
  size_t slashes = 0;
  while (slashes < rest.size() && (rest[slashes] == '/' || rest[slashes] == '\\'))
    ++slashes;
  // A file URL has an authority only after exactly "//"; other standard
  // schemes take whatever follows the slashes as the authority.
  std::string authority;
  std::string remainder;
  if (!is_file || slashes == 2) {
    size_t authority_end = rest.find_first_of("/\\?#", slashes);
    authority = rest.substr(slashes, authority_end == std::string::npos
                                         ? std::string::npos
                                         : authority_end - slashes);
    remainder = authority_end == std::string::npos ? std::string()
                                                   : rest.substr(authority_end);
  } else {
    remainder = rest.substr(slashes > 0 ? slashes - 1 : 0);
  }

  std::string host_and_port = authority;
  size_t at = authority.rfind('@');
  if (at != std::string::npos && !is_file) {
    std::string user_info = authority.substr(0, at);
    host_and_port = authority.substr(at + 1);
    size_t colon = user_info.find(':');
    out->username = Escape(user_info.substr(0, colon), "\"<>`{}|^/@?#[]\\:");
    if (colon != std::string::npos)
      out->password = Escape(user_info.substr(colon + 1), "\"<>`{}|^/@?#[]\\:");
  }
  std::string raw_host = host_and_port;
  std::string raw_port;
  size_t colon = host_and_port.rfind(':');
  size_t bracket = host_and_port.rfind(']');
  if (colon != std::string::npos &&
      (bracket == std::string::npos || colon > bracket) && !is_file) {
    raw_host = host_and_port.substr(0, colon);
    raw_port = host_and_port.substr(colon + 1);
  }
  if (!CanonicalizeHostName(raw_host, &out->host))
    return false;
  if (out->host.empty() && !is_file)
    return false;
  if (!CanonicalizePort(raw_port, out->scheme, &out->port))
    return false;

  std::string raw_path, raw_query, raw_ref;
  bool has_query = false;
  bool has_ref = false;
  SplitPathQueryRef(remainder, &raw_path, &raw_query, &raw_ref, &has_query,
                    &has_ref);
  if (!AppendCanonicalPath(raw_path, &out->path))
    return false;
  out->query = CanonicalizeQuery(raw_query);

  std::string host_port = out->host;
  if (!out->port.empty())
    host_port += ":" + out->port;
  std::string user_info;
  if (!out->username.empty() || !out->password.empty()) {
    user_info = out->username;
    if (!out->password.empty())
      user_info += ":" + out->password;
    user_info += "@";
  }
  out->origin = out->scheme + "://" + host_port + "/";
  out->full_url = out->scheme + "://" + user_info + host_port + out->path;
  if (has_query)
    out->full_url += "?" + out->query;
  if (has_ref)
    out->full_url += "#" + Escape(raw_ref, "\"<>`");
  return true;
}

// As Chromium's CanonicalizePathURL: only the scheme is canonicalised; the
// path, query and fragment keep their characters, spaces, backslashes and dot
// segments included, with control characters and bytes beyond ASCII escaped.
void CanonicalizeNonStandard(const std::string& rest, CanonicalUrl* out) {
  std::string path, query, ref;
  bool has_query = false;
  bool has_ref = false;
  SplitPathQueryRef(rest, &path, &query, &ref, &has_query, &has_ref);
  out->path = EscapeControlsAndNonAscii(path);
  out->query = EscapeControlsAndNonAscii(query);
  out->full_url = out->scheme + ":" + out->path;
  if (has_query)
    out->full_url += "?" + out->query;
  if (has_ref)
    out->full_url += "#" + EscapeControlsAndNonAscii(ref);
}

}  // namespace

std::string PercentDecode(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    int high = text[i] == '%' && i + 2 < text.size() ? HexDigitValue(text[i + 1]) : -1;
    int low = high >= 0 ? HexDigitValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string CanonicalizeQuery(const std::string& query) {
  return Escape(query, "\"#<>");
}

bool CanonicalizeHostName(const std::string& raw, std::string* host) {
  std::string unescaped = PercentDecode(raw);
  host->clear();
  if (!unescaped.empty() && unescaped[0] == '[') {
    if (unescaped.size() < 3 || unescaped.back() != ']')
      return false;
    for (size_t i = 1; i + 1 < unescaped.size(); ++i) {
      char c = unescaped[i];
      if (HexDigitValue(c) < 0 && c != ':' && c != '.')
        return false;
    }
  } else {
    for (char c : unescaped) {
      unsigned char byte = static_cast<unsigned char>(c);
      if (byte <= 0x20 || byte >= 0x7F || strchr(" #%/:<>?@[\\]^|", c))
        return false;
    }
  }
  for (char c : unescaped)
    *host += ToLowerAsciiChar(c);
  return true;
}

bool IsStandardScheme(const std::string& lower_case_scheme) {
  static const char* const kStandard[] = {"http", "https", "file", "ftp",
                                          "gopher", "ws", "wss"};
  for (const char* scheme : kStandard) {
    if (lower_case_scheme == scheme)
      return true;
  }
  return false;
}

std::string SchemeOf(const std::string& url) {
  std::string input = StripWhitespace(url);
  std::string scheme;
  size_t colon = input.find(':');
  if (colon == std::string::npos ||
      !CanonicalizeScheme(input.substr(0, colon), &scheme))
    return std::string();
  return scheme;
}

bool CanonicalizeUrl(const std::string& url, CanonicalUrl* out) {
  *out = CanonicalUrl();
  std::string input = StripWhitespace(url);
  out->scheme = SchemeOf(input);
  if (out->scheme.empty())
    return false;
  std::string rest = input.substr(input.find(':') + 1);
  if (!IsStandardScheme(out->scheme)) {
    CanonicalizeNonStandard(rest, out);
    return true;
  }
  return CanonicalizeStandard(rest, out);
}

}  // namespace cefsim
