#include "cefsim/src/placeholder/placeholder_canvas.h"

#include <iterator>
#include <vector>

namespace cefsim {
namespace {

// Unicode fonts of the usual X font packages first; "fixed", which every
// server has built in, covers Latin-1 only.
const char* const kFonts[] = {
    "-misc-fixed-medium-r-semicondensed--13-*-*-*-*-*-iso10646-1",
    "-misc-fixed-medium-r-normal--13-*-*-*-*-*-iso10646-1",
    "fixed",
};
const char* const kHeadingFonts[] = {
    "-misc-fixed-bold-r-semicondensed--13-*-*-*-*-*-iso10646-1",
    "-misc-fixed-bold-r-normal--13-*-*-*-*-*-iso10646-1",
};

constexpr int kMargin = 8;

XFontStruct* LoadFirst(Display* display, const char* const* names,
                       size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (XFontStruct* font = XLoadQueryFont(display, names[i]))
      return font;
  }
  return nullptr;
}

bool HasGlyph(const XFontStruct* font, char16_t c) {
  unsigned byte1 = c >> 8;
  unsigned byte2 = c & 0xFF;
  size_t index;
  if (font->min_byte1 == 0 && font->max_byte1 == 0) {
    // A font of one row indexes characters linearly.
    if (c < font->min_char_or_byte2 || c > font->max_char_or_byte2)
      return false;
    index = c - font->min_char_or_byte2;
  } else {
    if (byte1 < font->min_byte1 || byte1 > font->max_byte1 ||
        byte2 < font->min_char_or_byte2 || byte2 > font->max_char_or_byte2)
      return false;
    size_t row = font->max_char_or_byte2 - font->min_char_or_byte2 + 1;
    index = (byte1 - font->min_byte1) * row +
            (byte2 - font->min_char_or_byte2);
  }
  if (!font->per_char)
    return true;
  // A character the font lacks has no metrics at all.
  const XCharStruct& glyph = font->per_char[index];
  return glyph.width != 0 || glyph.ascent != 0 || glyph.descent != 0 ||
         glyph.lbearing != 0 || glyph.rbearing != 0;
}

}  // namespace

PlaceholderCanvas::PlaceholderCanvas(Display* display)
    : display_(display),
      font_(LoadFirst(display, kFonts, std::size(kFonts))),
      heading_font_(LoadFirst(display, kHeadingFonts, std::size(kHeadingFonts))) {
  if (!heading_font_)
    heading_font_ = font_;
}

PlaceholderCanvas::~PlaceholderCanvas() {
  while (!pens_.empty())
    Drop(pens_.begin()->first);
  if (heading_font_ && heading_font_ != font_)
    XFreeFont(display_, heading_font_);
  if (font_)
    XFreeFont(display_, font_);
}

bool PlaceholderCanvas::Watch(Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window, &attributes) ||
      attributes.c_class != InputOutput)
    return false;
  Drop(window);
  unsigned long black = BlackPixelOfScreen(attributes.screen);
  unsigned long white = WhitePixelOfScreen(attributes.screen);
  Pen pen;
  pen.colormap = attributes.colormap;
  pen.background = Colour(pen, 0xEC, 0xEC, 0xEC, white);
  pen.band = Colour(pen, 0x3C, 0x3C, 0x46, black);
  pen.heading = Colour(pen, 0xFF, 0xD9, 0x66, white);
  pen.text = Colour(pen, 0x1E, 0x1E, 0x1E, black);
  pen.frame = Colour(pen, 0x9A, 0x9A, 0x9A, black);
  XGCValues values{};
  values.graphics_exposures = False;
  pen.gc = XCreateGC(display_, window, GCGraphicsExposures, &values);
  pens_[window] = pen;
  XSetWindowBackground(display_, window, pen.background);
  XSelectInput(display_, window, ExposureMask | StructureNotifyMask);
  return true;
}

std::optional<PlaceholderText> PlaceholderCanvas::Paint(
    Window window, const PlaceholderState& state) {
  auto found = pens_.find(window);
  XWindowAttributes attributes;
  if (found == pens_.end() ||
      !XGetWindowAttributes(display_, window, &attributes))
    return std::nullopt;
  const Pen& pen = found->second;
  int ascent = font_ ? font_->ascent : 10;
  int line_height = ascent + (font_ ? font_->descent : 3) + 2;
  int cell = font_ ? font_->max_bounds.width : 6;
  int band_height = line_height + 8;
  int width = attributes.width;
  int height = attributes.height;
  size_t columns =
      width > 2 * kMargin ? static_cast<size_t>((width - 2 * kMargin) / cell)
                          : 0;
  int body_top = band_height + 6;
  size_t rows = height > body_top
                    ? static_cast<size_t>((height - body_top) / line_height)
                    : 0;
  PlaceholderText text = ComposePlaceholder(state, columns, rows);

  XSetForeground(display_, pen.gc, pen.background);
  XFillRectangle(display_, window, pen.gc, 0, 0, width, height);
  XSetForeground(display_, pen.gc, pen.band);
  XFillRectangle(display_, window, pen.gc, 0, 0, width, band_height);
  XSetForeground(display_, pen.gc, pen.frame);
  XDrawRectangle(display_, window, pen.gc, 0, 0, width - 1, height - 1);
  XSetForeground(display_, pen.gc, pen.heading);
  DrawLine(window, pen, heading_font_, kMargin, 4 + ascent, text.heading);
  XSetForeground(display_, pen.gc, pen.text);
  for (size_t i = 0; i < text.lines.size(); ++i) {
    DrawLine(window, pen, font_, kMargin,
             body_top + ascent + static_cast<int>(i) * line_height,
             text.lines[i]);
  }
  // What the caller records as drawn is then on the screen.
  XSync(display_, False);
  return text;
}

void PlaceholderCanvas::DrawLine(Window window, const Pen& pen,
                                 XFontStruct* font, int x, int y,
                                 const std::u32string& line) {
  if (!font || line.empty())
    return;
  std::u16string drawn =
      FontText(line, [font](char16_t c) { return HasGlyph(font, c); });
  std::vector<XChar2b> chars;
  for (char16_t c : drawn)
    chars.push_back(XChar2b{static_cast<unsigned char>(c >> 8),
                            static_cast<unsigned char>(c & 0xFF)});
  XSetFont(display_, pen.gc, font->fid);
  XDrawString16(display_, window, pen.gc, x, y, chars.data(),
                static_cast<int>(chars.size()));
}

unsigned long PlaceholderCanvas::Colour(Pen& pen, unsigned short red,
                                        unsigned short green,
                                        unsigned short blue,
                                        unsigned long fallback) {
  XColor colour{};
  colour.red = red * 257;
  colour.green = green * 257;
  colour.blue = blue * 257;
  if (pen.colormap == None || !XAllocColor(display_, pen.colormap, &colour))
    return fallback;
  pen.allocated.push_back(colour.pixel);
  return colour.pixel;
}

void PlaceholderCanvas::Drop(Window window) {
  auto found = pens_.find(window);
  if (found == pens_.end())
    return;
  Pen& pen = found->second;
  XFreeGC(display_, pen.gc);
  if (!pen.allocated.empty()) {
    XFreeColors(display_, pen.colormap, pen.allocated.data(),
                static_cast<int>(pen.allocated.size()), 0);
  }
  pens_.erase(found);
}

}  // namespace cefsim
