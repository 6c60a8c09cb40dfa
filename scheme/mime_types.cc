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

}  // namespace

std::string GetMimeType(const std::string& name) {
  // Every rule begins with its dot, so looking after each dot of the name
  // finds each rule that occurs anywhere; the earliest rule found wins.
  const size_t rule_count = sizeof(kMimeRules) / sizeof(kMimeRules[0]);
  size_t best = rule_count;
  for (size_t dot = name.find('.'); dot != std::string::npos && best > 0;
       dot = name.find('.', dot + 1)) {
    for (size_t i = 0; i < best; ++i) {
      if (OccursAt(name, dot, kMimeRules[i].substring)) {
        best = i;
        break;
      }
    }
  }
  return best < rule_count ? kMimeRules[best].mime_type : "text/html";
}

}  // namespace zubrix
