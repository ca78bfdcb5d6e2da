#include "astro/format.h"

#include "astro/angles.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace skelvane {

std::string FormatHours(bool toLocal, bool use24Hour, double offsetHours, double utHours) {
    double hours = toLocal ? WrapOnce(utHours + offsetHours, 24.0) : utHours;
    if (!std::isfinite(hours))
        return "--:--";
    // A single wrap leaves far-out input (or a negative time given without toLocal) outside
    // the day; bring it in so that the fields below stay in range.
    if (hours < 0 || hours > 24)
        hours = std::fmod(std::fmod(hours, 24.0) + 24.0, 24.0);

    int h = static_cast<int>(std::trunc(hours));
    int m = static_cast<int>(std::floor((hours - h) * 60.0 + 0.5));
    if (m >= 60) {
        m = 0;
        ++h;
    }

    char text[32];
    if (use24Hour) {
        // 23:59:59.9 reads 24:00 in the 24-hour form, as a time of day rounded up.
        std::snprintf(text, sizeof text, "%02d:%02d", h, m);
        return text;
    }
    // Midnight reached by rounding up is 12:00 AM, not 12:00 PM.
    h %= 24;
    const char* suffix = h >= 12 ? "PM" : "AM";
    if (h >= 12)
        h -= 12;
    if (h < 1)
        h = 12;
    std::snprintf(text, sizeof text, "%d:%02d %s", h, m, suffix);
    return text;
}

Hms HoursToHms(double hours) {
    // Beyond this the whole hours would not fit an int.
    if (!std::isfinite(hours) || std::fabs(hours) > 1e9)
        return Hms{};
    const double whole = std::trunc(hours);
    const double minutesExact = (hours - whole) * 60.0;
    const double minutesWhole = std::trunc(minutesExact);
    Hms result{static_cast<int>(whole), static_cast<int>(minutesWhole),
               static_cast<int>(std::nearbyint((minutesExact - minutesWhole) * 60.0))};
    // Every field carries the sign of the input, so a negative value carries at -60.
    if (std::abs(result.seconds) == 60) {
        result.minutes += result.seconds / 60;
        result.seconds = 0;
    }
    if (std::abs(result.minutes) == 60) {
        result.hours += result.minutes / 60;
        result.minutes = 0;
    }
    return result;
}

std::string FormatDms(double degrees) {
    // The sign is written once in front rather than on every field.
    const Hms parts = HoursToHms(std::fabs(degrees));
    char text[64];
    std::snprintf(text, sizeof text, "%s%d\u00B0  %d'  %d''", degrees < 0 ? "-" : "", parts.hours,
                  parts.minutes, parts.seconds);
    return text;
}

double DmsToDegrees(double d, double m, double s) {
    return d + m / 60.0 + s / 3600.0;
}

namespace {

// A whole number, optionally signed, with blanks allowed around it.
std::optional<int> ParseInteger(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ParseDms(const std::string& degreesText, const std::string& minutesText,
                               const std::string& secondsText, bool isLatitude) {
    const auto d = ParseInteger(degreesText);
    const auto m = ParseInteger(minutesText);
    const auto s = ParseInteger(secondsText);
    if (!d || !m || !s)
        return std::nullopt;
    const int maxDegrees = isLatitude ? 90 : 180;
    if (*d < 0 || *d > maxDegrees || *m < 0 || *m > 60 || *s < 0 || *s > 60)
        return std::nullopt;
    return DmsToDegrees(*d, *m, *s);
}

} // namespace skelvane
