#pragma once

#include <QImage>
#include <QSize>

namespace skelvane {

// The two looks of the Moon picture: a neutral grey "classic" Moon and a warmer "colour"
// one (the clock window's small Moon uses the colour look).
enum class MoonStyle { Classic, Colour };

// Where the Moon's disc lies in a picture of a given size, in whole pixels. A pixel row at
// offset y from centreY (|y| ≤ radius) is lit from centreX − round(l) to centreX + round(l),
// l = √(radius² − y²), rounding to the nearest with ties to even: exactly the columns that
// ShadeMoonPicture can darken, so no lit fringe is left around a shaded limb.
struct MoonDisc {
    int centreX = 0;
    int centreY = 0;
    int radius = 0;
    friend bool operator==(const MoonDisc&, const MoonDisc&) = default;
};

// Disc of the picture sizes the program uses: 64 × 64 centre (31, 28) radius 28, 32 × 32
// centre (15, 14) radius 14, 16 × 16 centre (7, 7) radius 7 (the Apollo 11 marker positions
// refer to these). Any other size gets the largest disc centred in it with a one-pixel
// margin; an empty size gives radius 0.
MoonDisc MoonDiscForSize(QSize size);

// True when pixel (x, y) lies inside the disc as described for MoonDisc.
bool IsInsideMoonDisc(const MoonDisc& disc, int x, int y);

// The full Moon for a picture of `size`, drawn with antialiasing: a lit grey-white disc with
// darker maria and a few soft craters, the north up, fully transparent outside the disc.
// Format ARGB32 (not premultiplied), so that its pixels can be handed to ShadeMoonPicture.
// An empty size gives a null image.
QImage FullMoonImage(QSize size, MoonStyle style);

} // namespace skelvane
