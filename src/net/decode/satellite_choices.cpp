#include "net/decode/satellite_choices.h"

#include <array>

namespace skelvane {

namespace {

constexpr std::array<SatelliteLocation, kSatelliteLocationCount> kLocations{{
    {"East Coast USA", "EC"},
    {"West Coast USA", "WC"},
    {"Puerto Rico", "PR"},
    {"Alaska", "AL"},
    {"Hawaii", "HA"},
    {"Tropical East Coast", "ECST"},
    {"Tropical Atlantic", "AT"},
    {"Tropical Gulf Atlantic", "HU"},
    {"Tropical Gulf", "GULF"},
    {"Tropical Pacific Coast", "HP"},
    {"Entire USA", "NH"},
    {"Entire Earth - US East", "GE"},
    {"Entire Earth - US West", "GW"},
    {"Entire Earth - Europe", "GM"},
    {"Entire Earth - India", "GI"},
    {"Entire Earth - Asia", "MT"},
}};

constexpr std::array<std::string_view, kSatelliteTypeCount> kTypeTexts{"Infrared", "Visible",
                                                                       "Water Vapor"};
constexpr std::array<std::string_view, kSatelliteTypeCount> kTypeCodes{"IR", "VS", "WV"};

constexpr std::array<std::string_view, kSatelliteColorCount> kColorTexts{
    "Normal", "Colorized 1", "Colorized 2", "Colorized 3", "Colorized 4"};

int InRange(int index, int count) {
    return index >= 0 && index < count ? index : 0;
}

} // namespace

std::span<const SatelliteLocation, kSatelliteLocationCount> SatelliteLocations() {
    return kLocations;
}

int NormalizeSatelliteLocation(int location) {
    return InRange(location, kSatelliteLocationCount);
}
int NormalizeSatelliteType(int type) {
    return InRange(type, kSatelliteTypeCount);
}
int NormalizeSatelliteColor(int color) {
    return InRange(color, kSatelliteColorCount);
}

bool IsSatelliteCoast(int location) {
    return NormalizeSatelliteLocation(location) <= 1;
}

bool IsSatelliteTropical(int location) {
    const int l = NormalizeSatelliteLocation(location);
    return l >= 5 && l <= 9;
}

bool IsSatelliteFullDisk(int location) {
    return NormalizeSatelliteLocation(location) >= 11;
}

bool SatelliteLocationAnimates(int location) {
    return IsSatelliteCoast(location) || IsSatelliteTropical(location);
}

std::string_view SatelliteLocationCode(int location) {
    return kLocations[static_cast<std::size_t>(NormalizeSatelliteLocation(location))].code;
}

std::span<const std::string_view> SatelliteTypeEntries(int location) {
    const std::size_t count = IsSatelliteFullDisk(location) ? 2 : 3;
    return std::span<const std::string_view>(kTypeTexts).first(count);
}

std::string_view SatelliteTypeCode(int location, int type) {
    return kTypeCodes[static_cast<std::size_t>(SatelliteTypeBoxShownIndex(location, type))];
}

int SatelliteTypeBoxShownIndex(int location, int storedType) {
    const int type = NormalizeSatelliteType(storedType);
    return type < static_cast<int>(SatelliteTypeEntries(location).size()) ? type : 0;
}

std::span<const std::string_view, kSatelliteColorCount> SatelliteColorEntries() {
    return kColorTexts;
}

SatelliteControlsShown SatelliteControlsFor(int location, bool animate) {
    SatelliteControlsShown shown;
    shown.colorBox = IsSatelliteCoast(location) && !animate;
    shown.animateAndRepeat = SatelliteLocationAnimates(location);
    shown.moviePlayer = IsSatelliteCoast(location);
    return shown;
}

} // namespace skelvane
