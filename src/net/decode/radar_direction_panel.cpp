#include "net/decode/radar_direction_panel.h"

#include "net/decode/radar_geometry.h"
#include "net/decode/radar_views.h"

namespace skelvane {

namespace {

// The Hawaii sites are too few and too far apart for the nearest-site search: their
// neighbours are fixed. Index: view - 58, then direction - 1; 0 = no button.
constexpr int kHawaiiNeighbours[4][8] = {
    // N  NE  E  SE  S  SW  W  NW
    {59, 0, 0, 60, 0, 0, 0, 61}, // 58 Kohala
    {0, 0, 0, 60, 58, 0, 0, 61}, // 59 Molokai
    {59, 58, 0, 0, 0, 0, 0, 61}, // 60 South Hawaii
    {0, 0, 0, 60, 58, 59, 0, 0}, // 61 South Kauai
};

bool IsHawaiiSite(int view) {
    return view >= 58 && view <= 61;
}

int HawaiiNeighbour(int view, int direction) {
    if (!IsHawaiiSite(view) || direction < 1 || direction > 8)
        return 0;
    return kHawaiiNeighbours[view - 58][direction - 1];
}

} // namespace

RadarDirectionPanel SetupRadarDirectionPanel(int view, int productEntry) {
    RadarDirectionPanel panel;
    if (!IsRadarView(view) || view == kRadarUsaSmallView || view == kRadarUsaLargeView ||
        view == kRadarGuamView || view == kRadarSanJuanView)
        return panel;
    panel.visible = true;
    for (int direction = 1; direction <= 8; ++direction) {
        RadarDirectionButton& button = panel.buttons[static_cast<std::size_t>(direction - 1)];
        int target = 0;
        if (IsHawaiiSite(view)) {
            target = HawaiiNeighbour(view, direction);
        } else {
            const ClosestRadar closest = GetClosestRadarInQuadrant(direction, view, productEntry);
            if (closest.found && closest.view != kRadarGuamView &&
                closest.view != kRadarSanJuanView &&
                InRadarAlaskaGroup(view) == InRadarAlaskaGroup(closest.view) &&
                InRadarHawaiiGroup(view) == InRadarHawaiiGroup(closest.view))
                target = closest.view;
        }
        if (target > 0) {
            button.visible = true;
            button.target = target;
            button.hint = RadarViewEntryText(target);
        }
    }
    return panel;
}

std::optional<int> RadarDirectionTarget(int view, int direction, int productEntry) {
    if (IsHawaiiSite(view)) {
        const int target = HawaiiNeighbour(view, direction);
        return target > 0 ? std::optional<int>(target) : std::nullopt;
    }
    if (!IsRadarView(view))
        return std::nullopt;
    const ClosestRadar closest = GetClosestRadarInQuadrant(direction, view, productEntry);
    return closest.found ? std::optional<int>(closest.view) : std::nullopt;
}

} // namespace skelvane
