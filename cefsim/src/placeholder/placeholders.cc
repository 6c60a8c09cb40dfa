#include "cefsim/src/placeholder/placeholders.h"

#include "cefsim/src/placeholder/placeholder_painter.h"

namespace cefsim {
namespace {

struct Placeholders {
  PlaceholderBoard board;
  PlaceholderPainter painter{&board};
};

// Never destroyed: in a process that ends without CefShutdown the painter
// runs on until the end, where destroying its thread would abort.
Placeholders& The() {
  static auto* placeholders = new Placeholders();
  return *placeholders;
}

}  // namespace

void ShowPlaceholder(int browser_id, HWND window, const CefString& url,
                     int inspected_browser_id) {
  The().painter.Start();
  The().board.Open(browser_id, window, url.ToString(), inspected_browser_id);
}

void ShowPlaceholderUrl(int browser_id, const CefString& url) {
  The().board.SetUrl(browser_id, url.ToString());
}

void ShowPlaceholderTitle(int browser_id, const std::string& title) {
  The().board.SetTitle(browser_id, title);
}

void ShowPlaceholderLoading(int browser_id, bool loading) {
  The().board.SetLoading(browser_id, loading);
}

void ShowPlaceholderConsoleLine(int browser_id, const CefString& message) {
  The().board.AddConsoleLine(browser_id, message.ToString());
}

void StopPlaceholders() {
  The().painter.Stop();
  The().board.Clear();
}

std::optional<PlaceholderBoard::Painted> PaintedPlaceholder(int browser_id) {
  return The().board.PaintedFor(browser_id);
}

}  // namespace cefsim
