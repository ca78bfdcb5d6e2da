#pragma once

#include <span>
#include <string_view>

namespace skelvane {

// The Satellite page's choices: the location, type and colour boxes, the image code part each
// entry contributes and which controls each location shows. Every index that lies outside
// its box (a damaged setting, an empty box) reads as the box's first entry, so the code, the
// request and the controls shown always agree.

// One entry of SatelliteLocationBox.
struct SatelliteLocation {
    std::string_view text; // as the box shows it
    std::string_view code; // first part of the image code ("EC", "GULF", "GM")
};

inline constexpr int kSatelliteLocationCount = 16;
inline constexpr int kSatelliteTypeCount = 3; // with "Water Vapor"
inline constexpr int kSatelliteColorCount = 5;

// The sixteen locations in box order; the index is SatelliteLocationBoxIndex.
std::span<const SatelliteLocation, kSatelliteLocationCount> SatelliteLocations();

// The location, type and colour indices brought into their boxes' ranges (outside reads as 0).
int NormalizeSatelliteLocation(int location);
int NormalizeSatelliteType(int type);
int NormalizeSatelliteColor(int color);

// Location groups. Coasts (0, 1) have colourised stills and movies; the tropical areas
// (5 … 9) have JPEG loops; the full-disk views (11 … 15) have no water-vapour picture.
bool IsSatelliteCoast(int location);
bool IsSatelliteTropical(int location);
bool IsSatelliteFullDisk(int location);
// Coasts and tropical areas: "Animate" and "Repeat" mean something there.
bool SatelliteLocationAnimates(int location);

// The code part of a location ("EC" for any index outside the box).
std::string_view SatelliteLocationCode(int location);

// The texts SatelliteTypeBox holds for a location: "Infrared", "Visible" and, except on the
// full-disk views, "Water Vapor". The box loses and regains its third entry with the location.
std::span<const std::string_view> SatelliteTypeEntries(int location);

// The code part of a type at a location: IR, VS or WV. Water vapour reads as IR on the
// full-disk views, whose server has no water-vapour picture.
std::string_view SatelliteTypeCode(int location, int type);

// The entry SatelliteTypeBox shows for the stored SatelliteTypeBoxIndex. On a full-disk view
// a stored "Water Vapor" shows as "Infrared", the picture that is fetched; the stored index
// is kept, so going back to a coast shows "Water Vapor" again.
int SatelliteTypeBoxShownIndex(int location, int storedType);

// The texts of SatelliteColorBox: "Normal", then "Colorized 1" … "Colorized 4".
std::span<const std::string_view, kSatelliteColorCount> SatelliteColorEntries();

// The controls of the page that show for a location, after SatelliteLocationBoxSelect,
// AnimateSatelliteBoxClick and ShowSatelliteStaticScreen alike.
struct SatelliteControlsShown {
    bool colorBox = false;         // SatelliteColorBox: coasts with "Animate" off
    bool animateAndRepeat = false; // "Animate" and "Repeat": coasts and tropical areas
    bool moviePlayer = false;      // MediaPlayer1's buttons: coasts
    friend bool operator==(const SatelliteControlsShown&, const SatelliteControlsShown&) = default;
};
SatelliteControlsShown SatelliteControlsFor(int location, bool animate);

} // namespace skelvane
