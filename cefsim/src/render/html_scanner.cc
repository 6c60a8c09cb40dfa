#include "cefsim/src/render/html_scanner.h"
#include "cefsim/src/strings/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace cefsim {
namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)); }

// The position of "</name" at or after |from|, ignoring case; npos if none.
// Where "</" and |name| (lower case) start at or after |from|, the name in
// any case; npos when nowhere. Compared in place: a lowered copy of a large
// page would cost more than the scan.
size_t FindEndTag(const std::string& html, size_t from,
                  const std::string& name) {
  for (size_t at = html.find("</", from); at != std::string::npos;
       at = html.find("</", at + 2)) {
    if (html.size() - (at + 2) < name.size())
      return std::string::npos;
    size_t matched = 0;
    while (matched < name.size() &&
           ToLowerAsciiChar(html[at + 2 + matched]) == name[matched])
      ++matched;
    if (matched == name.size())
      return at;
  }
  return std::string::npos;
}

std::string DecodeEntities(const std::string& text) {
  static const std::map<std::string, char> kEntities = {
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string::npos;
    if (semicolon != std::string::npos) {
      auto entity = kEntities.find(text.substr(i + 1, semicolon - i - 1));
      if (entity != kEntities.end()) {
        out += entity->second;
        i = semicolon;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

std::string CollapseWhitespace(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (IsSpace(c)) {
      if (!out.empty() && out.back() != ' ')
        out += ' ';
    } else {
      out += c;
    }
  }
  if (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

struct Tag {
  std::string name;  // Lower case; empty for an end tag or a non-tag.
  std::map<std::string, std::string> attributes;
  size_t end = 0;  // Just past '>'.
};

// Reads the tag starting at |html[start]| == '<'.
Tag ReadTag(const std::string& html, size_t start) {
  Tag tag;
  size_t i = start + 1;
  while (i < html.size() && std::isalnum(static_cast<unsigned char>(html[i])))
    tag.name += ToLowerAsciiChar(html[i++]);
  while (i < html.size() && html[i] != '>') {
    if (IsSpace(html[i]) || html[i] == '/') {
      ++i;
      continue;
    }
    std::string name;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != '=' &&
           html[i] != '>' && html[i] != '/')
      name += ToLowerAsciiChar(html[i++]);
    while (i < html.size() && IsSpace(html[i]))
      ++i;
    std::string value;
    if (i < html.size() && html[i] == '=') {
      ++i;
      while (i < html.size() && IsSpace(html[i]))
        ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
        char quote = html[i++];
        size_t close = html.find(quote, i);
        if (close == std::string::npos)
          close = html.size();
        value = html.substr(i, close - i);
        i = std::min(close + 1, html.size());
      } else {
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '>')
          value += html[i++];
      }
    }
    // The first of repeated attributes counts, as in HTML.
    if (!name.empty())
      tag.attributes.emplace(name, DecodeEntities(value));
  }
  tag.end = std::min(i + 1, html.size());
  return tag;
}

bool IsJavaScriptType(const std::string& type) {
  std::string lower = ToLowerAscii(type);
  size_t semicolon = lower.find(';');
  if (semicolon != std::string::npos)
    lower.resize(semicolon);
  lower = CollapseWhitespace(lower);
  return lower.empty() || lower == "text/javascript" ||
         lower == "application/javascript" ||
         lower == "application/x-javascript" || lower == "text/ecmascript" ||
         lower == "application/ecmascript";
}

int LineAt(const std::string& html, size_t position) {
  return 1 + static_cast<int>(std::count(html.begin(), html.begin() + position,
                                         '\n'));
}

}  // namespace

ScannedDocument ScanHtml(const std::string& html) {
  ScannedDocument document;
  bool have_title = false;
  size_t i = 0;
  while ((i = html.find('<', i)) != std::string::npos) {
    if (html.compare(i, 4, "<!--") == 0) {
      size_t close = html.find("-->", i + 4);
      i = close == std::string::npos ? html.size() : close + 3;
      continue;
    }
    Tag tag = ReadTag(html, i);
    i = tag.end;
    if (tag.name.empty())
      continue;
    // Elements whose text is not markup: skip to their end tag.
    static const char* kRawText[] = {"script", "style", "title", "textarea",
                                     "xmp", "noscript"};
    bool raw = std::find_if(std::begin(kRawText), std::end(kRawText),
                            [&tag](const char* name) {
                              return tag.name == name;
                            }) != std::end(kRawText);
    size_t text_end = raw ? FindEndTag(html, i, tag.name)
                          : std::string::npos;
    if (raw && text_end == std::string::npos)
      text_end = html.size();
    std::string text = raw ? html.substr(i, text_end - i) : std::string();

    if (tag.name == "script" && IsJavaScriptType(tag.attributes["type"])) {
      auto src = tag.attributes.find("src");
      if (src != tag.attributes.end()) {
        if (!src->second.empty())
          document.items.push_back(
              {DocumentItem::kScriptSource, src->second, "", 1});
      } else {
        document.items.push_back(
            {DocumentItem::kInlineScript, text, "", LineAt(html, i)});
      }
    } else if (tag.name == "iframe" && !tag.attributes["src"].empty()) {
      document.items.push_back({DocumentItem::kFrame, tag.attributes["src"],
                                tag.attributes["name"], 1});
    } else if (tag.name == "title" && !have_title) {
      document.title = CollapseWhitespace(DecodeEntities(text));
      have_title = true;
    }
    if (raw)
      i = text_end;
  }
  return document;
}

}  // namespace cefsim
