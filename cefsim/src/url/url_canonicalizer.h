// Chromium's URL rules, as far as the stand-in needs them: standard schemes
// are split into their parts and canonicalised; any other scheme keeps what
// follows "scheme:" as it is, but for escaping control characters and bytes
// beyond ASCII, its path running up to '?' or '#'.
#ifndef CEFSIM_SRC_URL_URL_CANONICALIZER_H_
#define CEFSIM_SRC_URL_URL_CANONICALIZER_H_

#include <string>

namespace cefsim {

// Every part in UTF-8; empty when the URL has none.
struct CanonicalUrl {
  std::string full_url;  // The whole canonical URL.
  std::string scheme;
  std::string username;
  std::string password;
  std::string host;
  std::string port;
  std::string origin;
  std::string path;
  std::string query;
};

// The schemes Chromium splits into authority and path.
bool IsStandardScheme(const std::string& lower_case_scheme);

// The scheme in lower case, or empty when |url| has none.
std::string SchemeOf(const std::string& url);

// Leading and trailing spaces and control characters go, and so do tabs and
// line breaks anywhere, as Chromium does with every URL it is given.
std::string StripWhitespace(const std::string& url);

// "%41" becomes "A"; a "%" without two hex digits after it stays as it is.
std::string PercentDecode(const std::string& text);

// A standard URL's query: what may not appear literally is escaped.
std::string CanonicalizeQuery(const std::string& query);

// A host name as a standard URL holds it, lower-cased, or false for one that
// may not be a host. Internationalised names are not supported by the
// stand-in and count as invalid.
bool CanonicalizeHostName(const std::string& raw, std::string* host);

// False for a URL that Chromium holds invalid; |out| is then unspecified.
bool CanonicalizeUrl(const std::string& url, CanonicalUrl* out);

}  // namespace cefsim

#endif  // CEFSIM_SRC_URL_URL_CANONICALIZER_H_
