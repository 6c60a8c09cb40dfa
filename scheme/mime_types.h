// The MIME type that a served name is given.
#ifndef ZUBRIX_SCHEME_MIME_TYPES_H_
#define ZUBRIX_SCHEME_MIME_TYPES_H_

#include <string>

namespace zubrix {

// The first of a short list of extensions that occurs anywhere in |name|
// (not only at its end, and case-sensitively) picks the type; "text/html"
// when none does.
std::string GetMimeType(const std::string& name);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_MIME_TYPES_H_
