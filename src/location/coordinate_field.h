#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// A coordinate text of the place list, such as 40-45-06N or 073-59-39W, split into what
// the three degree, minute and second edits show: each part's digits only, without
// leading zeros, "0" when nothing is left.
struct CoordinateParts {
    std::string degrees = "0";
    std::string minutes = "0";
    std::string seconds = "0";
};
CoordinateParts SplitCoordinateField(std::string_view text);

// Degrees, north and east positive: a latitude when the text holds N or S anywhere, else a
// longitude; parts within ParseDms bounds (60 minutes or seconds allowed); negative when
// the text holds W or S (any case). A text without a single digit is no coordinate at all
// (a blank field would otherwise read as 0).
std::optional<double> ParseCoordinateField(std::string_view text);

// Whether ParseCoordinateField reads the text as a latitude: it holds N or S (any case).
bool CoordinateIsLatitude(std::string_view text);

// The hemisphere lists as SetLatitudeDisplay and SetLongitudeDisplay choose them: South
// when the text holds S; East when it holds E (so a longitude without a letter is West).
bool CoordinateIsSouth(std::string_view text);
bool CoordinateIsEast(std::string_view text);

} // namespace skelvane
