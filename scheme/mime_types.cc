#include "scheme/mime_types.h"

namespace zubrix {
namespace {

struct MimeRule {
  const char* substring;
  const char* mime_type;
};

// Order matters: "logo.svg.png" is an SVG image, "app.json" a script. Each
// substring begins with a dot.
const MimeRule kMimeRules[] = {
    {".svg", "image/svg+xml"}, {".js", "application/javascript"},
    {".css", "text/css"},      {".png", "image/png"},
    {".jpg", "image/jpg"},
};

bool OccursAt(const std::string& name, size_t position, const char* text) {
  for (; *text; ++text, ++position) {
    if (position >= name.size() || name[position] != *text)
      return false;
  }
  return true;
}

const size_t kRuleCount = sizeof(kMimeRules) / sizeof(kMimeRules[0]);

// One CefString per rule, then "text/html". Built on first use, which C++
// makes safe from any thread, and never freed: requests may still be
// answered while the program ends.
const CefString* MimeTypeTexts() {
  static const CefString* const texts = [] {
    CefString* built = new CefString[kRuleCount + 1];
    for (size_t i = 0; i < kRuleCount; ++i)
      built[i].FromASCII(kMimeRules[i].mime_type);
    built[kRuleCount].FromASCII("text/html");
    return built;
  }();
  return texts;
}

}  // namespace

const CefString& GetMimeType(const std::string& name) {
  // Every rule begins with its dot, so looking after each dot of the name
  // finds each rule that occurs anywhere; the earliest rule found wins.
  size_t best = kRuleCount;
  for (size_t dot = name.find('.'); dot != std::string::npos && best > 0;
       dot = name.find('.', dot + 1)) {
    for (size_t i = 0; i < best; ++i) {
      if (OccursAt(name, dot, kMimeRules[i].substring)) {
        best = i;
        break;
      }
    }
  }
  return MimeTypeTexts()[best];
}

const CefString& HtmlMimeType() {
  return MimeTypeTexts()[kRuleCount];
}

}  // namespace zubrix
