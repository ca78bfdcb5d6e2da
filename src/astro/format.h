#pragma once

#include <optional>
#include <string>

namespace skelvane {

// A time of day given in hours as "hh:mm" (24-hour) or "h:mm AM" (12-hour). With toLocal
// the offset is added first and the sum wrapped once into 0..24. Minutes are rounded half
// up, so 23.999 h reads 24:00.
std::string FormatHours(bool toLocal, bool use24Hour, double offsetHours, double utHours);

struct Hms {
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const Hms&, const Hms&) = default;
};
// Splits hours (or degrees) into whole hours, minutes and rounded seconds, carrying 60s.
Hms HoursToHms(double hours);

// Degrees as 40°  26'  46'' (UTF-8 text).
std::string FormatDms(double degrees);
double DmsToDegrees(double d, double m, double s);
// Each text an integer; degrees 0..90 (latitude) or 0..180 (longitude), minutes and
// seconds 0..60, bounds inclusive. Nothing when any part fails.
std::optional<double> ParseDms(const std::string& degreesText, const std::string& minutesText,
                               const std::string& secondsText, bool isLatitude);

} // namespace skelvane
