#include "infowin/world_clocks.h"

#include "astro/posix_tz.h"
#include "astro/timezone.h"

#include <optional>

namespace skelvane {

namespace {

// The rules are the POSIX TZ footers of the IANA time zone database (tzdata 2026f) for
// Pacific/Honolulu, America/Los_Angeles, America/New_York, Europe/Amsterdam, Asia/Kolkata,
// Asia/Tokyo and Pacific/Auckland: the rules in force since 2007 in the United States and
// New Zealand, and the European Union's rule.
constexpr std::array<WorldCity, kWorldCityCount> kCities{{
    {"Honolulu", "CityTime1", "HST10"},
    {"Los Angeles", "CityTime2", "PST8PDT,M3.2.0,M11.1.0"},
    {"New York", "CityTime3", "EST5EDT,M3.2.0,M11.1.0"},
    {"Amsterdam", "CityTime4", "CET-1CEST,M3.5.0,M10.5.0/3"},
    {"New Delhi", "CityTime5", "IST-5:30"},
    {"Tokyo", "CityTime6", "JST-9"},
    {"Auckland", "CityTime7", "NZST-12NZDT,M9.5.0,M4.1.0/3"},
}};

using Records = std::array<std::optional<TimeZoneRecord>, kWorldCityCount>;

// Parsed once: the clocks are refreshed every second.
const Records& CityRecords() {
    static const Records records = [] {
        Records parsed;
        for (std::size_t i = 0; i < kWorldCityCount; ++i)
            parsed[i] = ParsePosixTzRule(kCities[i].posixRule);
        return parsed;
    }();
    return records;
}

} // namespace

const std::array<WorldCity, kWorldCityCount>& WorldCities() {
    return kCities;
}

DateTime WorldCityTime(std::size_t index, DateTime utc) {
    if (index >= kWorldCityCount)
        return utc;
    return utc + ComputeTimeZoneState(CityRecords()[index], utc).offsetHours / 24.0;
}

} // namespace skelvane
