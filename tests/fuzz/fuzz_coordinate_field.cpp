// Coordinate fields of the place list ("40-45-06N", "073-59-39W") and the six coordinate
// edits of the location page, from any text: the parts are digits without leading zeros,
// and a parsed coordinate stays within the degree bounds (with their 60 minutes and 60
// seconds) and has the sign its letters give.
#include "location/coordinate_field.h"
#include "location/place_pick.h"
#include "location/place_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Stops the run with the line of the failed check, which the fuzzer's report then shows.
void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

bool IsPart(const std::string& part) {
    if (part.empty() || (part.size() > 1 && part[0] == '0'))
        return false;
    for (const char c : part)
        if (c < '0' || c > '9')
            return false;
    return true;
}

constexpr double kSlack = 1.0 / 60 + 1.0 / 3600 + 1e-9; // 60 minutes and 60 seconds allowed

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const CoordinateParts parts = SplitCoordinateField(text);
    Check(IsPart(parts.degrees) && IsPart(parts.minutes) && IsPart(parts.seconds));
    const std::string upper = UpperAscii(text);
    if (const auto degrees = ParseCoordinateField(text)) {
        const bool latitude = upper.find_first_of("NS") != std::string::npos;
        Check(std::isfinite(*degrees));
        Check(std::fabs(*degrees) <= (latitude ? 90 : 180) + 1 + kSlack);
        const bool negative = upper.find_first_of("WS") != std::string::npos;
        Check(*degrees == 0 || (*degrees < 0) == negative);
    }
    Check(CoordinateIsSouth(text) == (upper.find('S') != std::string::npos));
    Check(CoordinateIsEast(text) == (upper.find('E') != std::string::npos));

    // The same text cut at ';' into the six edits, as a user might type them.
    LatLonEdits edits;
    std::string* fields[] = {&edits.latDegrees, &edits.latMinutes, &edits.latSeconds,
                             &edits.lonDegrees, &edits.lonMinutes, &edits.lonSeconds};
    for (int i = 0; i < 6; ++i)
        *fields[i] = std::string(Word(text, i + 1, ';'));
    edits.south = size > 0 && (data[0] & 1);
    edits.west = size > 0 && (data[0] & 2);
    if (const auto at = GetLatLon(edits)) {
        Check(std::isfinite(at->latitude) && std::fabs(at->latitude) <= 91 + kSlack);
        Check(std::isfinite(at->longitude) && std::fabs(at->longitude) <= 181 + kSlack);
        const double miles = DistanceMiles(*at, {40.7, -74.0});
        Check(std::isfinite(miles) && miles >= 0 && miles <= 12500);
    }
    return 0;
}
