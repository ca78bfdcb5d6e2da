#pragma once

#include "astro/datetime.h"
#include "astro/sun.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>

// The planet table of the Planet page as plain functions: where the ten bodies stand for
// an instant and an observer, and the memo lines in both coordinate modes. The page only
// copies the lines into its memo.
namespace skelvane {

// Rows of the table: the Sun, the Moon, then the planets in the engine's order.
inline constexpr std::size_t kSkyBodyCount = 10;

// "Sun", "Moon", "Mercury" … "Pluto"; "" for an index of kSkyBodyCount or more.
QString SkyBodyName(std::size_t body);

struct SkyBodyPosition {
    double ra = -1;   // right ascension, degrees 0..360
    double dec = -99; // declination, degrees
    HorizontalCoords horizon;
};
using SkyPositions = std::array<SkyBodyPosition, kSkyBodyCount>;

struct Observer {
    double latitude = 0;     // degrees, north positive
    double longitude = 0;    // degrees, east positive
    double altitudeFeet = 0; // above sea level
};

// The Sun (SunRaDec), the Moon (MoonPosition, whose parallax moves it in the observer's
// sky) and the planets (PlanetPositions) at a UTC instant; the engine's sentinels for an
// instant outside 1600..3999.
SkyPositions ComputeSkyPositions(DateTime utc, const Observer& observer);

// "Mercury  123.4°(SE)   -12.3°": the name padded to 7, the azimuth "0.0" left-padded to
// 7, "°", the compass point in brackets right-padded to 4, the altitude "0.0" left-padded
// to 7 and "°". Only the name when the position is unusable (the engine's "no answer"
// values or numbers that are not finite).
QString SurfaceLine(std::size_t body, const HorizontalCoords& horizon);
// "Mercury  1 26.39  + 12 07.1": the name padded to 8, the right ascension in hours and
// minutes, two blanks and the declination in degrees and minutes. Only the name for an
// unusable position.
QString AstronomicalLine(std::size_t body, double ra, double dec);

// The whole memo: the header line(s) and one line per body.
QStringList PlanetTableLines(const SkyPositions& positions, bool earthSurface);

// The two explanatory labels under the coordinate choice.
std::array<QString, 2> PlanetLabelTexts(bool earthSurface);

// Local sidereal time as the Time page shows it, " hh:mm:ss": the longitude plus the
// Greenwich sidereal angle of the UTC instant, as a time of day (a negative sum counts back
// from midnight, one of a day or more wraps). Empty for an instant outside 1600..3999 or
// a longitude that is not finite.
QString SiderealTimeText(double longitude, DateTime utc);

} // namespace skelvane
