// What a browser window shows in place of its page, which the stand-in does
// not draw: a heading that says so, then the browser's state as lines of
// text for a fixed-width core font. Pure text, no X.
#ifndef CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_TEXT_H_
#define CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_TEXT_H_

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace cefsim {

// Text is UTF-8, as CefString::ToString gives it.
struct PlaceholderState {
  bool is_devtools = false;
  // A developer-tools window's is the URL of the browser it inspects.
  std::string url;
  std::string title;
  bool loading = false;
  // The last lines the page logged, oldest first, and how many it logged
  // in all.
  std::vector<std::string> console;
  size_t console_total = 0;
};

struct PlaceholderText {
  std::u32string heading;
  std::vector<std::u32string> lines;
};

// The heading and at most |rows| lines below it, each cut to |columns|
// characters ("..." marks a cut). The browser's own lines come first; the
// console lines that still fit are the most recent ones. Control characters
// show as spaces, so that a message keeps to its line.
PlaceholderText ComposePlaceholder(const PlaceholderState& state,
                                   size_t columns, size_t rows);

// What a core font draws for |text|, indexed by 16 bits: each character it
// has a glyph for, and '?' for the rest, one cell per character.
std::u16string FontText(const std::u32string& text,
                        const std::function<bool(char16_t)>& has_glyph);

}  // namespace cefsim

#endif  // CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_TEXT_H_
