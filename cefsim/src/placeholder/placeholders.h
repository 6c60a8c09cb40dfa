// The browser process's placeholders: each browser window shows, in place
// of the page the stand-in does not draw, the browser's URL, its page's
// title, whether it is loading and its last console lines; a
// developer-tools window names the page it inspects. The browser's code
// reports changes here from whatever thread sees them.
#ifndef CEFSIM_SRC_PLACEHOLDER_PLACEHOLDERS_H_
#define CEFSIM_SRC_PLACEHOLDER_PLACEHOLDERS_H_

#include <optional>
#include <string>

#include "include/internal/cef_string.h"
#include "cefsim/src/placeholder/placeholder_board.h"
#include "platform/win32_window.h"

namespace cefsim {

// A new browser's window; the painter starts with the first.
void ShowPlaceholder(int browser_id, HWND window, const CefString& url,
                     int inspected_browser_id);
void ShowPlaceholderUrl(int browser_id, const CefString& url);
void ShowPlaceholderTitle(int browser_id, const std::string& title);
void ShowPlaceholderLoading(int browser_id, bool loading);
void ShowPlaceholderConsoleLine(int browser_id, const CefString& message);
// For CefShutdown: the painter ends and every placeholder is forgotten.
void StopPlaceholders();

std::optional<PlaceholderBoard::Painted> PaintedPlaceholder(int browser_id);

}  // namespace cefsim

#endif  // CEFSIM_SRC_PLACEHOLDER_PLACEHOLDERS_H_
