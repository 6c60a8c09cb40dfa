// Splitting URLs into their parts and building them from parts.
#ifndef CEF_INCLUDE_CEF_PARSER_H_
#define CEF_INCLUDE_CEF_PARSER_H_

#include "include/cef_base.h"

bool CefParseURL(const CefString& url, CefURLParts& parts);
bool CefCreateURL(const CefURLParts& parts, CefString& url);

#endif  // CEF_INCLUDE_CEF_PARSER_H_
