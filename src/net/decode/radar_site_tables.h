#pragma once

#include <array>
#include <cstddef>

namespace skelvane::tables {

// One radar site's picture geometry. Long range: both scales are 4/275 degrees a pixel, so a
// row holds only the corner. Short range: one scale for both axes and the corner. In both,
// the radar lies 300 pixels east and 275 pixels south of the corner, the centre of the
// 600 x 550 picture.
struct RadarSiteRow {
    const char* id;    // three-letter site identifier, lower case
    double longWest;   // long range: longitude of the west edge, degrees east
    double longNorth;  // long range: latitude of the north edge, degrees north
    double shortScale; // short range: degrees a pixel, both axes
    double shortWest;  // short range: longitude of the west edge
    double shortNorth; // short range: latitude of the north edge
};

inline constexpr std::size_t kRadarSiteRowCount = 155;

// Rows of the radar views 14 ... 168 in order (generated, radar_site_tables.cpp).
extern const std::array<RadarSiteRow, kRadarSiteRowCount> kRadarSiteRows;

} // namespace skelvane::tables
