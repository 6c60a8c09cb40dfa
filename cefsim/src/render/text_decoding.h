// The text of a fetched document or script, decoded as Blink's
// TextResourceDecoder picks the encoding: a byte-order mark first, then the
// response's charset, then (for HTML) a <meta> charset declaration within
// the first 1024 bytes, and else the fallback: the document's own encoding
// for its scripts, the browser's default encoding for a document. The
// stand-in decodes UTF-8, UTF-16 and windows-1252, which Blink also uses for
// the labels ISO-8859-1, latin1 and US-ASCII; other labels are passed over.
#ifndef CEFSIM_SRC_RENDER_TEXT_DECODING_H_
#define CEFSIM_SRC_RENDER_TEXT_DECODING_H_

#include <string>

namespace cefsim {

// CefBrowserSettings.default_encoding when it is left empty, as in CEF
// 3.3163 (include/internal/cef_types.h).
constexpr char kDefaultTextEncoding[] = "ISO-8859-1";

struct DecodedText {
  std::string utf8;
  std::string encoding;  // The canonical name of the encoding used.
};

// |charset| is the response's (empty when it gave none). A body that needs
// no change (ASCII, as most pages are) becomes the text without a copy.
DecodedText DecodeDocumentText(std::string body,
                               const std::string& charset,
                               const std::string& default_encoding);
DecodedText DecodeScriptText(std::string body,
                             const std::string& charset,
                             const std::string& document_encoding);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_TEXT_DECODING_H_
