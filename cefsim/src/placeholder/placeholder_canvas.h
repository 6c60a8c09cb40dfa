// Draws placeholders into browser windows with the server's core fonts,
// through a connection that only the painter's thread uses.
#ifndef CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_CANVAS_H_
#define CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_CANVAS_H_

#include <X11/Xlib.h>

#include <map>
#include <optional>
#include <vector>

#include "cefsim/src/placeholder/placeholder_text.h"

namespace cefsim {

class PlaceholderCanvas {
 public:
  explicit PlaceholderCanvas(Display* display);
  ~PlaceholderCanvas();
  PlaceholderCanvas(const PlaceholderCanvas&) = delete;
  PlaceholderCanvas& operator=(const PlaceholderCanvas&) = delete;

  // Starts drawing into |window|: its background becomes the placeholder's
  // and its exposures, size changes and end reach the connection. False
  // when it is no window (any more).
  bool Watch(Window window);
  // Draws |state| to fit the window's size. What it drew, or nothing when
  // the window is gone.
  std::optional<PlaceholderText> Paint(Window window,
                                       const PlaceholderState& state);
  // Forgets a window, whether or not it still exists.
  void Drop(Window window);

 private:
  struct Pen {
    GC gc = nullptr;
    unsigned long background = 0;
    unsigned long band = 0;
    unsigned long heading = 0;
    unsigned long text = 0;
    unsigned long frame = 0;
    // The cells these took in the window's colormap, given back on Drop.
    Colormap colormap = None;
    std::vector<unsigned long> allocated;
  };

  // The pixel for a colour in the pen's colormap, or |fallback|.
  unsigned long Colour(Pen& pen, unsigned short red, unsigned short green,
                       unsigned short blue, unsigned long fallback);

  void DrawLine(Window window, const Pen& pen, XFontStruct* font, int x,
                int y, const std::u32string& line);

  Display* const display_;
  XFontStruct* font_;
  XFontStruct* heading_font_;  // The same as font_ when there is no bold.
  std::map<Window, Pen> pens_;
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_PLACEHOLDER_PLACEHOLDER_CANVAS_H_
