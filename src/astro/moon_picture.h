#pragma once

#include <cstdint>

namespace skelvane {

// Colour of the Moon's unlit part, 32-bit ARGB (opaque black).
inline constexpr std::uint32_t kMoonShadowArgb = 0xFF000000u;

// Darkens the unlit part of a Moon picture in place. `pixels` holds width × height 32-bit
// ARGB pixels, row-major without padding, already showing the full Moon; (centreX, centreY)
// and radius are the disc in pixels. phaseAngle is the calendar model's signed phase angle
// in degrees (MoonPhaseAngle: 0 full, ±180 new, negative while waning), taken into 0..360.
// For each row offset y = 0..radius, on the rows above and below the centre, with
// l = √(r² − y²), the pixels from centreX + round(cos i · l) up to centreX + round(l) are
// blackened when i ≥ 180 (waning: dark on the right), else those from
// centreX − round(cos i · l) down to centreX − round(l) (waxing: dark on the left); rounding
// is to the nearest, ties to even. So each row is one black run whose far end is the rim.
// Pixels outside the buffer are skipped; a null buffer, a size or radius below 0 or an angle
// that is not finite leaves the picture unchanged.
void ShadeMoonPicture(std::uint32_t* pixels, int width, int height, double phaseAngle, int centreX,
                      int centreY, int radius);

} // namespace skelvane
