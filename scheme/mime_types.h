// The MIME type that a served name is given.
#ifndef ZUBRIX_SCHEME_MIME_TYPES_H_
#define ZUBRIX_SCHEME_MIME_TYPES_H_

#include <string>

#include "include/cef_base.h"

namespace zubrix {

// The first of a short list of extensions that occurs anywhere in |name|
// (not only at its end, and case-sensitively) picks the type; "text/html"
// when none does. Each type is converted to a CefString once and lives for
// the program's life, so that answering a request converts nothing.
const CefString& GetMimeType(const std::string& name);

// "text/html", as above.
const CefString& HtmlMimeType();

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_MIME_TYPES_H_
