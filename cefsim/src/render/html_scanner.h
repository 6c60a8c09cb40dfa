// What the stand-in takes from an HTML document: its title and, in document
// order, its scripts and sub-frames. No DOM is built.
#ifndef CEFSIM_SRC_RENDER_HTML_SCANNER_H_
#define CEFSIM_SRC_RENDER_HTML_SCANNER_H_

#include <string>
#include <vector>

namespace cefsim {

struct DocumentItem {
  enum Kind { kInlineScript, kScriptSource, kFrame };
  Kind kind;
  std::string text;  // The script for kInlineScript, else the src value.
  std::string name;  // A frame's name attribute.
  int line = 1;      // Where the script text starts in the document.
};

struct ScannedDocument {
  std::string title;
  std::vector<DocumentItem> items;
};

// |html| is UTF-8. Scripts of a type that is not JavaScript, and frames
// without src, are left out.
ScannedDocument ScanHtml(const std::string& html);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_HTML_SCANNER_H_
