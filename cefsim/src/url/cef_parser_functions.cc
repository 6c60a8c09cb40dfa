// CefParseURL and CefCreateURL over the stand-in's URL rules.
#include "include/cef_parser.h"
#include "cefsim/src/url/url_canonicalizer.h"

namespace {

std::string Field(const cef_string_t& field) {
  return CefString(&field).ToString();
}

void SetField(cef_string_t* field, const std::string& value) {
  CefString(field).FromString(value);
}

}  // namespace

bool CefParseURL(const CefString& url, CefURLParts& parts) {
  cefsim::CanonicalUrl canonical;
  if (!cefsim::CanonicalizeUrl(url.ToString(), &canonical))
    return false;
  SetField(&parts.spec, canonical.full_url);
  SetField(&parts.scheme, canonical.scheme);
  SetField(&parts.username, canonical.username);
  SetField(&parts.password, canonical.password);
  SetField(&parts.host, canonical.host);
  SetField(&parts.port, canonical.port);
  SetField(&parts.origin, canonical.origin);
  SetField(&parts.path, canonical.path);
  SetField(&parts.query, canonical.query);
  return true;
}

bool CefCreateURL(const CefURLParts& parts, CefString& url) {
  std::string source = Field(parts.spec);
  const std::string scheme = Field(parts.scheme);
  const std::string host = Field(parts.host);
  if (source.empty() && !scheme.empty() && !host.empty()) {
    const std::string username = Field(parts.username);
    const std::string password = Field(parts.password);
    const std::string port = Field(parts.port);
    const std::string query = Field(parts.query);
    source = scheme + "://";
    if (!username.empty()) {
      source += username;
      if (!password.empty())
        source += ":" + password;
      source += "@";
    }
    source += host;
    if (!port.empty())
      source += ":" + port;
    source += Field(parts.path);
    if (!query.empty())
      source += "?" + query;
  }
  cefsim::CanonicalUrl canonical;
  if (source.empty() || !cefsim::CanonicalizeUrl(source, &canonical))
    return false;
  url.FromString(canonical.full_url);
  return true;
}
