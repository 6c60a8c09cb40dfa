#include "scheme/mime_types.h"

namespace zubrix {
namespace {

struct MimeRule {
  const char* substring;
  const char* mime_type;
};

// Order matters: "logo.svg.png" is an SVG image, "app.json" a script.
const MimeRule kMimeRules[] = {
    {".svg", "image/svg+xml"}, {".js", "application/javascript"},
    {".css", "text/css"},      {".png", "image/png"},
    {".jpg", "image/jpg"},
};

}  // namespace

std::string GetMimeType(const std::string& name) {
  for (const MimeRule& rule : kMimeRules) {
    if (name.find(rule.substring) != std::string::npos)
      return rule.mime_type;
  }
  return "text/html";
}

}  // namespace zubrix
