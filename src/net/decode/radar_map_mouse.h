#pragma once

#include "net/decode/radar_geometry.h"

#include <optional>
#include <string>

namespace skelvane {

// What the map needs to know at each mouse event.
struct RadarMapContext {
    int view = -1;               // RadarLocationBoxIndex
    int productEntry = 0;        // RadarReflectivityBoxIndex (chooses the site tables)
    double zoom = 1.0;           // 1 or 2
    bool radarBusy = false;      // a site download is refilling the frames
    int leftClickGroupIndex = 0; // 0 "Move Radar", 1 "Distance"
};

inline constexpr int kRadarMoveRadarMode = 0;
inline constexpr int kRadarDistanceMode = 1;

// The texts of ShowLonLatName. SiteNameLab always takes the name; a coordinate's two labels
// change only when it lies in range (longitude -180 ... 180, latitude -90 ... 90), else
// they keep what they show (nullopt).
struct RadarLonLatTexts {
    std::string siteName;
    std::optional<std::string> longitudeDecimal; // LonLab2: "-73.985000°"
    std::optional<std::string> longitudeDms;     // LonLab3: FormatDms
    std::optional<std::string> latitudeDecimal;  // LatLab2
    std::optional<std::string> latitudeDms;      // LatLab3
};
// The decimal forms have six decimals and the given decimal separator (the locale's).
RadarLonLatTexts RadarLonLatLabelTexts(const std::string& name, LonLat point,
                                       char decimalSeparator = '.');

// The map's hint to show at once at (x, y): 5 pixels below the pointer.
struct RadarMapHint {
    std::string text;
    int x = 0;
    int y = 0;
};

struct RadarMouseMove {
    bool handled = false;             // false while busy or without a view: change nothing
    LonLat point;                     // the point under the pointer
    std::string siteName;             // ShowLonLatName's name: the nearest site's entry
                                      // text, empty in distance mode
    std::optional<RadarMapHint> hint; // set when the hint is (re)shown
};

struct RadarMouseClick {
    enum class Action {
        None,          // not the left button, busy, or no view
        MoveToView,    // "Move Radar": select targetView (as a direction button) and fetch
        DistanceStart, // first click: labels and hint blanked, start remembered
        DistanceShown, // second click: the distance in the labels and the hint
        DistanceBlank, // second click on the start point itself: labels and hint blanked
    };
    Action action = Action::None;
    LonLat point;
    int targetView = -1;              // MoveToView
    std::string siteName;             // MoveToView: SiteNameLab's new text
    std::string milesText;            // MilesLab: "12 Miles"; empty = blank
    std::string kilometresText;       // KMLab: "19 Kilometers"; empty = blank
    std::optional<RadarMapHint> hint; // DistanceShown: "12 Miles = 19 Kilometers"
};

// The mouse over the radar map, as plain state: the last hint position and the distance
// mode's start. Both live for the run; switching the click mode keeps them.
class RadarMapMouse {
public:
    // Image6MouseMove at pixel (x, y) of the map as shown. In distance mode only the
    // coordinates change. Otherwise the nearest site is named, and the hint is shown again
    // unless both x and y are within 1 pixel of where it was last shown.
    RadarMouseMove MouseMove(int x, int y, const RadarMapContext& context);

    // Image6MouseDown. "Move Radar": move to the nearest site. "Distance": clicks alternate
    // between setting the start and measuring from it.
    RadarMouseClick MouseDown(bool leftButton, int x, int y, const RadarMapContext& context);

    bool distanceStartPending() const { return distanceStart_; }

private:
    std::optional<MapPixel> lastHint_; // none until the first hint: it always shows
    bool distanceStart_ = true;
    LonLat start_;
};

} // namespace skelvane
