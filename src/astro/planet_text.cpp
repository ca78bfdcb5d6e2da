// The right ascension and declination texts of the planet table.
#include "astro/planet_text.h"

#include <cmath>
#include <cstdio>

namespace skelvane {

namespace {

// value with `decimals` decimals, right-aligned in `width`, a leading blank read as "0"
// ("5.50" → "05.50" at width 5).
std::string MinutesText(double value, int width, int decimals) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    std::string text = buffer;
    if (!text.empty() && text[0] == ' ')
        text[0] = '0';
    return text;
}

// The fractional part, with the sign of x (the part cut towards zero is dropped).
double Fraction(double x) {
    return x - std::trunc(x);
}

} // namespace

std::string FormatRaHours(double degrees) {
    if (!std::isfinite(degrees))
        return {};
    double a = degrees;
    if (a >= 360.0 || a <= -360.0)
        a = Fraction(a / 360.0) * 360.0;
    if (a < 0)
        a += 360.0;
    const double hours = a / 15.0;
    int wholeHours = static_cast<int>(std::trunc(hours));
    std::string minutes = MinutesText(Fraction(hours) * 60.0, 5, 2);
    if (minutes == "60.00") {
        minutes = "00.00";
        ++wholeHours;
    }
    // Hour 24 comes from the carry above, or from a tiny negative angle that rounds to
    // exactly 360 when the turn is added; both are 0h.
    if (wholeHours >= 24)
        wholeHours -= 24;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%2d %s", wholeHours, minutes.c_str());
    return buffer;
}

std::string FormatDecDegrees(double degrees) {
    if (!std::isfinite(degrees))
        return {};
    double d = degrees;
    if (std::fabs(d) > 90.0)
        d = Fraction(d / 90.0) * 90.0;
    const double size = std::fabs(d);
    int wholeDegrees = static_cast<int>(std::trunc(size));
    std::string minutes = MinutesText(Fraction(size) * 60.0, 4, 1);
    if (minutes == "60.0") {
        minutes = "00.0";
        ++wholeDegrees;
    }
    // The sign comes from the angle itself, so -0.5° reads "- 0 30.0".
    return std::string(d < 0 ? "- " : "+ ") + std::to_string(wholeDegrees) + " " + minutes;
}

} // namespace skelvane
