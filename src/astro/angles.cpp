#include "astro/angles.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skelvane {

namespace {
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// Half the circumference of a sphere of radius 6371 km, in km per 180 degrees.
constexpr double kKmPer180Degrees = 20015.086796020572;
constexpr double kMetresPerMile = 1609.344;
} // namespace

double SinDeg(double degrees) {
    return std::sin(degrees * kRadiansPerDegree);
}
double CosDeg(double degrees) {
    return std::cos(degrees * kRadiansPerDegree);
}
double TanDeg(double degrees) {
    return std::tan(degrees * kRadiansPerDegree);
}

// Arguments a rounding error past +-1 are clamped so that they read as +-90 rather than NaN.
double AsinDeg(double x) {
    return std::asin(std::clamp(x, -1.0, 1.0)) * kDegreesPerRadian;
}

double AcosDeg(double x) {
    if (!(x >= -1.0 && x <= 1.0))
        return 0;
    return std::acos(x) * kDegreesPerRadian;
}

double Atan2Deg(double y, double x) {
    return std::atan2(y, x) * kDegreesPerRadian;
}

double WrapOnce(double x, double m) {
    if (x > m)
        return x - m;
    if (x < 0)
        return x + m;
    return x;
}

// The correction moves x towards zero on either side; subtracting m from a large negative x
// would only push it further out.
double ReduceOnce(double x, double m) {
    if (x > m)
        return x - m;
    if (x < -m)
        return x + m;
    return x;
}

double Reduce360(double degrees) {
    const double r = std::fmod(degrees, 360.0);
    const double reduced = r < 0 ? r + 360.0 : r;
    // A tiny negative remainder plus 360 rounds to 360 itself.
    return reduced >= 360.0 ? 0.0 : reduced;
}

double GreatCircleMiles(double lon1, double lat1, double lon2, double lat2) {
    if (lon1 == lon2 && lat1 == lat2)
        return 0;
    const double centralAngle =
        AcosDeg(SinDeg(lat2) * SinDeg(lat1) + CosDeg(lat2) * CosDeg(lat1) * CosDeg(lon1 - lon2));
    return KmToMiles(centralAngle * kKmPer180Degrees / 180.0);
}

double FlatBearing(double a1, double b1, double a2, double b2) {
    return WrapOnce(90.0 - Atan2Deg(b2 - b1, a2 - a1), 360.0);
}

double KmToMiles(double km) {
    return km * 1000.0 / kMetresPerMile;
}
double MilesToKm(double miles) {
    return miles * kMetresPerMile / 1000.0;
}

} // namespace skelvane
