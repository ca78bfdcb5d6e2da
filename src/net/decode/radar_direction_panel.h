#pragma once

#include <array>
#include <optional>
#include <string>

namespace skelvane {

// The eight direction buttons RadBut1 ... RadBut8 around "Go": direction 1 north (top
// centre), 2 north-east, 3 east, 4 south-east, 5 south, 6 south-west, 7 west, 8 north-west.
struct RadarDirectionButton {
    bool visible = false;
    int target = -1;  // the view the button moves to; -1 when hidden
    std::string hint; // the target's entry text; empty when hidden
};

struct RadarDirectionPanel {
    bool visible = false;                        // RadarButPanel
    std::array<RadarDirectionButton, 8> buttons; // buttons[d - 1] is direction d
};

// The panel for a view:
// - views 0 and 1, Guam and San Juan (and views outside 0 ... 168): hidden;
// - the Hawaii sites 58 ... 61: their fixed neighbours;
// - every other view: for each direction, the nearest site in that direction from the
//   view's centre, shown when one is found that is neither Guam nor San Juan and that lies
//   in the Alaska group exactly when the view does, and in the Hawaii group exactly when
//   the view does.
RadarDirectionPanel SetupRadarDirectionPanel(int view, int productEntry);

// The view a click on direction button d (1 ... 8) moves to (QuadButClick): the fixed
// neighbour for the Hawaii sites, otherwise GetClosestRadarInQuadrant; nothing when no site
// is found in that direction (or the Hawaii site has no neighbour there).
std::optional<int> RadarDirectionTarget(int view, int direction, int productEntry);

} // namespace skelvane
