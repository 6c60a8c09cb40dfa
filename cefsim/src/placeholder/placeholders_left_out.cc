// A stand-in built without its placeholder painter: browser windows stay
// blank and nothing is kept of what they would show.
#include "cefsim/src/placeholder/placeholders.h"

namespace cefsim {

void ShowPlaceholder(int browser_id, HWND window, const CefString& url,
                     int inspected_browser_id) {}
void ShowPlaceholderUrl(int browser_id, const CefString& url) {}
void ShowPlaceholderTitle(int browser_id, const std::string& title) {}
void ShowPlaceholderLoading(int browser_id, bool loading) {}
void ShowPlaceholderConsoleLine(int browser_id, const CefString& message) {}
void StopPlaceholders() {}

std::optional<PlaceholderBoard::Painted> PaintedPlaceholder(int browser_id) {
  return std::nullopt;
}

}  // namespace cefsim
