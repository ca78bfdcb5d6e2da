#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// The radar views of the location box: 0 ... 13 national and regional mosaics, 14 ... 168
// radar sites with three-letter identifiers. Functions taking a view accept any int and
// give an empty or "no" result outside 0 ... 168.
inline constexpr int kRadarViewCount = 169;
inline constexpr int kFirstRadarSiteView = 14;
inline constexpr int kRadarSiteCount = 155;
inline constexpr int kDefaultRadarView = 120; // NY - New York City
inline constexpr int kRadarUsaSmallView = 0;
inline constexpr int kRadarUsaLargeView = 1;
inline constexpr int kRadarAlaskaMosaicView = 12;
inline constexpr int kRadarHawaiiMosaicView = 13;
inline constexpr int kRadarGuamView = 57;
inline constexpr int kRadarSanJuanView = 133;

// Frame counts of a download: the Frames control's range and default.
inline constexpr int kRadarMinFrames = 1;
inline constexpr int kRadarMaxFrames = 30;
inline constexpr int kRadarDefaultFrames = 10;
inline constexpr int kRadarDefaultMosaicFrames = 8; // NationalMaxImages' default

bool IsRadarView(int view);       // 0 ... 168
bool IsRadarMosaicView(int view); // 0 ... 13
bool IsRadarSiteView(int view);   // 14 ... 168
// The Alaska group: the Alaska mosaic (12) and the sites 14 ... 20.
bool InRadarAlaskaGroup(int view);
// The Hawaii group: the Hawaii mosaic (13) and the sites 58 ... 61.
bool InRadarHawaiiGroup(int view);

// The view's name as listed, e.g. "NY - New York City"; empty outside 0 ... 168.
std::string_view RadarViewName(int view);
// The location box's entry text: a space and the name (" NY - New York City"). Hints,
// SiteNameLab and the time label show this text.
std::string RadarViewEntryText(int view);
// The site identifier in lower case as listed ("okx"); empty for mosaics and outside.
std::string_view RadarSiteId(int view);
// The same in upper case ("OKX"), as the download paths use it.
std::string RadarSiteIdUpper(int view);

struct RadarMapSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const RadarMapSize&, const RadarMapSize&) = default;
};

// Picture size of a view: view 1 3400 x 1600, view 0 600 x 282, the other mosaics
// 600 x 571, sites 600 x 550; 0 x 0 outside 0 ... 168.
RadarMapSize GetMapSize(int view);
// The map control's size at a zoom: GetMapSize times the zoom, each side rounded (ties to
// even); the plain size at zoom 1 and for a zoom that is not a positive finite number.
RadarMapSize ScaledMapSize(int view, double zoom);

// "Zoom In" / "Zoom Out": nothing for view 1 (the large map is never zoomed); otherwise the
// other of the two zooms, 2.0 from 1.0 and 1.0 from 2.0.
std::optional<double> ToggledRadarZoom(int view, double zoom);
// The zoom button's caption: "Zoom Out" while zoomed in (zoom above 1), else "Zoom In".
std::string_view RadarZoomButtonCaption(double zoom);

// Which controls of the Radar page show for a view.
struct RadarControlVisibility {
    bool zoomButton = false;       // every view but view 1
    bool productAndLayers = false; // the product box and the ten layer and warning boxes: sites
    bool coordinateLabels = false; // the longitude and latitude labels and SiteNameLab
    friend bool operator==(const RadarControlVisibility&, const RadarControlVisibility&) = default;
};
RadarControlVisibility RadarControlVisibilityFor(int view);

// The frame count the next download asks for once a view is selected: the site count
// (StateMaxImages) for a site view, else the mosaic count (NationalMaxImages), kept within
// 1 ... 30.
int DesiredFrameCountForView(int view, int stateMaxImages, int nationalMaxImages);
// Frames of an animated mosaic: the desired count kept within 1 ... the loop's frame count.
int MosaicFrameCount(int desired, int loopFrameCount);

} // namespace skelvane
