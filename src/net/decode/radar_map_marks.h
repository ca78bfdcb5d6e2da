#pragma once

#include <cstdint>
#include <vector>

namespace skelvane {

struct RadarMarkColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RadarMarkColour&, const RadarMarkColour&) = default;
};

inline constexpr RadarMarkColour kRadarSiteMarkFill{255, 251, 240};
inline constexpr RadarMarkColour kRadarHomeMarkFill{0, 255, 255};
inline constexpr int kRadarMarkPenWidth = 2; // black outline

// One tiny circle: an ellipse in the box from (left, top) to (right, bottom), filled with
// the colour and outlined black with a 2-pixel pen.
struct RadarCircleMark {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    RadarMarkColour fill;
};

// "Tiny Circles" (BuildSmallMapCenterArray): a circle of radius 4 at the pixel of every
// radar site's picture centre (the 155 sites in view order), then one at the home location,
// all placed with the geometry of the view shown and the map's zoom. Marks off the picture
// are included (drawing clips them). Empty for a view outside 0 ... 168.
std::vector<RadarCircleMark> BuildSmallMapCenterArray(int view, int productEntry, double zoom,
                                                      double homeLatitude, double homeLongitude);

} // namespace skelvane
