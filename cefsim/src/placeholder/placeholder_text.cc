#include "cefsim/src/placeholder/placeholder_text.h"

#include <algorithm>

#include "cefsim/src/strings/utf_conversion.h"

namespace cefsim {
namespace {

// Code points of |utf8|, invalid sequences as U+FFFD, control characters
// as spaces.
std::u32string Printable(const std::string& utf8) {
  std::u16string utf16;
  Utf8ToUtf16(utf8.data(), utf8.size(), &utf16);
  std::wstring wide;
  Utf16ToWide(utf16.data(), utf16.size(), &wide);
  std::u32string text;
  for (wchar_t c : wide) {
    bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    text.push_back(control ? U' ' : static_cast<char32_t>(c));
  }
  return text;
}

std::u32string Ascii(const std::string& text) {
  return std::u32string(text.begin(), text.end());
}

std::u32string Cut(std::u32string line, size_t columns) {
  if (line.size() <= columns)
    return line;
  const std::u32string mark = U"...";
  if (columns <= mark.size())
    return line.substr(0, columns);
  return line.substr(0, columns - mark.size()) + mark;
}

std::u32string OrNone(const std::string& text) {
  return text.empty() ? U"(none)" : Printable(text);
}

std::vector<std::u32string> PageLines(const PlaceholderState& state,
                                      size_t rows) {
  std::vector<std::u32string> lines = {
      U"URL:    " + OrNone(state.url),
      U"Title:  " + OrNone(state.title),
      state.loading ? U"State:  loading..." : U"State:  loaded",
  };
  if (lines.size() >= rows)
    return lines;
  size_t room = rows - lines.size() - 1;
  size_t shown = std::min(room, state.console.size());
  if (state.console_total == 0) {
    lines.push_back(U"Console: nothing logged");
  } else if (shown == state.console_total) {
    lines.push_back(U"Console:");
  } else {
    lines.push_back(Ascii("Console (last " + std::to_string(shown) + " of " +
                          std::to_string(state.console_total) + " lines):"));
  }
  for (size_t i = state.console.size() - shown; i < state.console.size(); ++i)
    lines.push_back(U"  " + Printable(state.console[i]));
  return lines;
}

}  // namespace

PlaceholderText ComposePlaceholder(const PlaceholderState& state,
                                   size_t columns, size_t rows) {
  PlaceholderText text;
  text.heading = state.is_devtools
                     ? U"cefsim: developer tools not drawn (placeholder)"
                     : U"cefsim: page not drawn (placeholder)";
  std::vector<std::u32string> lines;
  if (state.is_devtools) {
    lines.push_back(U"Developer tools for " +
                    (state.url.empty() ? U"(no page)" : Printable(state.url)));
  } else {
    lines = PageLines(state, rows);
  }
  lines.resize(std::min(lines.size(), rows));
  text.heading = Cut(text.heading, columns);
  for (std::u32string& line : lines)
    text.lines.push_back(Cut(std::move(line), columns));
  return text;
}

std::u16string FontText(const std::u32string& text,
                        const std::function<bool(char16_t)>& has_glyph) {
  std::u16string drawn;
  for (char32_t c : text) {
    bool drawable = c <= 0xFFFF && has_glyph(static_cast<char16_t>(c));
    drawn.push_back(drawable ? static_cast<char16_t>(c) : u'?');
  }
  return drawn;
}

}  // namespace cefsim
