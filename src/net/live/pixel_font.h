#pragma once

#include <QImage>
#include <string_view>

namespace skelvane {

// A small 5 x 7 pixel font of the program's own, for the pictures it draws in place of the
// retired radar layers (legends, city names): the same pixels on every machine, without
// anti-aliasing and without a font database (the command-line tools have no GUI
// application). Upper-case letters, digits and common punctuation; lower case is drawn as
// upper case and any other character as a blank.
inline constexpr int kPixelFontWidth = 5;
inline constexpr int kPixelFontHeight = 7;
inline constexpr int kPixelFontAdvance = 6; // a glyph and one blank column

// Width in pixels of `text` drawn at `scale` (each font pixel a scale x scale square).
int PixelTextWidth(std::string_view text, int scale = 1);

// Draws `text` with its top-left corner at (x, y) in `colour`; pixels outside the picture
// are left out. Only the glyphs' pixels are set.
void DrawPixelText(QImage& image, int x, int y, std::string_view text, QRgb colour, int scale = 1);

} // namespace skelvane
