#include "scheme/not_found_page.h"

namespace zubrix {
namespace {

const char kPageHead[] =
    "<html><head><title>Not Found File</title></head><body bgcolor="
    "\"white\">Cannot Serve File:";
const char kPageTail[] = "</body>";

// The entity for a character that markup would read; null for the others.
const char* HtmlEntity(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&#39;";
    default:
      return nullptr;
  }
}

std::string EscapeHtml(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    const char* entity = HtmlEntity(c);
    if (entity)
      escaped += entity;
    else
      escaped += c;
  }
  return escaped;
}

}  // namespace

std::string NotFoundPage(const std::string& name) {
  return kPageHead + EscapeHtml(name) + kPageTail;
}

}  // namespace zubrix
