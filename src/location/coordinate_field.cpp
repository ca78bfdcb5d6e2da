#include "location/coordinate_field.h"

#include "astro/format.h"
#include "location/place_text.h"

#include <algorithm>

namespace skelvane {

namespace {

std::string DigitsWithoutLeadingZeros(std::string_view part) {
    std::string digits;
    for (const char c : part)
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0'))
            digits += c;
    return digits.empty() ? "0" : digits;
}

bool Contains(std::string_view upper, char letter) {
    return upper.find(letter) != std::string_view::npos;
}

} // namespace

CoordinateParts SplitCoordinateField(std::string_view text) {
    return {DigitsWithoutLeadingZeros(Word(text, 1, '-')),
            DigitsWithoutLeadingZeros(Word(text, 2, '-')),
            DigitsWithoutLeadingZeros(Word(text, 3, '-'))};
}

std::optional<double> ParseCoordinateField(std::string_view text) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::string upper = UpperAscii(text);
    const bool isLatitude = Contains(upper, 'N') || Contains(upper, 'S');
    const CoordinateParts parts = SplitCoordinateField(upper);
    const std::optional<double> value =
        ParseDms(parts.degrees, parts.minutes, parts.seconds, isLatitude);
    if (!value)
        return std::nullopt;
    return (Contains(upper, 'W') || Contains(upper, 'S')) ? -*value : *value;
}

bool CoordinateIsLatitude(std::string_view text) {
    const std::string upper = UpperAscii(text);
    return Contains(upper, 'N') || Contains(upper, 'S');
}

bool CoordinateIsSouth(std::string_view text) {
    return Contains(UpperAscii(text), 'S');
}

bool CoordinateIsEast(std::string_view text) {
    return Contains(UpperAscii(text), 'E');
}

} // namespace skelvane
