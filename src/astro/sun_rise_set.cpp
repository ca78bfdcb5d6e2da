// Sunrise and sunset by the almanac sunrise formula, and the small helpers the clock
// window builds on them.
#include "astro/angles.h"
#include "astro/sun.h"
#include "astro/timezone.h"

#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

// The Sun's centre is at this zenith distance at rise and set: 90° plus 50′ for the
// semi-diameter (16′) and refraction at the horizon (34′).
constexpr double kZenithSeaLevel = 90.8333333;
// Extra depression of the horizon per √foot of observer height, degrees.
constexpr double kDipPerRootFoot = 0.0195;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

} // namespace

// Inputs: civil date (day, month, year), rising or setting, observer altitude in feet
// (negative below sea level), longitude and latitude in degrees (east and north positive).
// Result: the event in UT hours 0..24, kNeverRises (-2) when the Sun stays below the
// horizon all day, kNeverSets (-3) when it stays above; kNeverRises also for a
// non-finite altitude, longitude or latitude. Good to a minute or two between the polar
// circles; the Sun's position is the formula's own low-accuracy fit (about 0.01°).
// Reference: the almanac sunrise formula (Almanac for Computers, 1990).
double SunRiseSetHours(int day, int month, int year, bool rising, double altitudeFeet,
                       double longitude, double latitude) {
    if (!std::isfinite(altitudeFeet) || !std::isfinite(longitude) || !std::isfinite(latitude))
        return kNeverRises;

    const double dip = kDipPerRootFoot * std::sqrt(std::fabs(altitudeFeet));
    const double zenith = altitudeFeet >= 0 ? kZenithSeaLevel + dip : kZenithSeaLevel - dip;

    const int n = DayOfYearAlmanac(day, month, year);
    const double lngHour = longitude / 15.0;
    const double t = n + ((rising ? 6.0 : 18.0) - lngHour) / 24.0;

    // Mean anomaly and true longitude of the Sun.
    const double m = 0.9856 * t - 3.289;
    const double l = ReduceOnce(m + 1.916 * SinDeg(m) + 0.020 * SinDeg(2 * m) + 282.634, 360.0);

    // Right ascension, put into the same quadrant as the longitude.
    double ra = ReduceOnce(std::atan(0.91764 * TanDeg(l)) * kDegreesPerRadian, 360.0);
    ra += std::floor(l / 90.0) * 90.0 - std::floor(ra / 90.0) * 90.0;
    const double raHours = ra / 15.0;

    const double sinDec = 0.39782 * SinDeg(l);
    const double cosDec = std::cos(std::asin(sinDec));

    const double cosH = (CosDeg(zenith) - sinDec * SinDeg(latitude)) / (cosDec * CosDeg(latitude));
    if (cosH > 1)
        return kNeverRises;
    if (cosH < -1)
        return kNeverSets;

    const double acosH = AcosDeg(cosH);
    const double h = (rising ? 360.0 - acosH : acosH) / 15.0;
    const double localMeanTime = h + raHours - 0.06571 * t - 6.622;

    // One wrap brings the hours into 0..24 everywhere except for an event close to local
    // noon near the date line (a day of minutes at the edge of the polar night), where
    // the sum can lie a few minutes beyond; a second wrap keeps the promised range there.
    const double ut = WrapOnce(localMeanTime - lngHour, 24.0);
    return WrapOnce(ut, 24.0);
}

// Inputs: the requested local calendar date (its time of day is ignored) and an event in
// UT hours 0..24 for that date. Result: the event's UTC instant and its local instant
// (UTC plus TimeZoneOffsetHours at the event), both moved by one day when the local
// instant lands on the day before or after the requested date. A negative (a rise/set
// code) or non-finite utHours gives both instants 0 (no date).
SunEventInstants SunEventLocal(DateTime date, double utHours) {
    if (!std::isfinite(date) || !std::isfinite(utHours) || utHours < 0)
        return {};
    const DateTime day = std::floor(date);
    SunEventInstants event;
    event.utc = day + utHours / 24.0;
    event.local = event.utc + TimeZoneOffsetHours(event.utc) / 24.0;
    const DateTime localDay = std::floor(event.local);
    if (localDay == day)
        return event;
    // The event of the neighbouring UT day: its offset is read again, because a clock change
    // may lie between the two instants (the day before a change, east of Greenwich).
    event.utc += localDay < day ? 1 : -1;
    event.local = event.utc + TimeZoneOffsetHours(event.utc) / 24.0;
    return event;
}

// Inputs: UTC offset in hours, the day's set and rise in UT hours (or the codes -2 / -3),
// the present local clock time in hours 0..24. A -2 in either means down, a -3 means up.
bool IsSunUpNow(double offsetHours, double setHours, double riseHours, double nowLocalHours) {
    if (setHours == kNeverRises || riseHours == kNeverRises)
        return false;
    if (setHours == kNeverSets || riseHours == kNeverSets)
        return true;
    const double rise = WrapOnce(riseHours + offsetHours, 24.0);
    const double set = WrapOnce(setHours + offsetHours, 24.0);
    if (rise >= set) // daylight spans local midnight
        return nowLocalHours < set || nowLocalHours >= rise;
    return rise <= nowLocalHours && nowLocalHours < set;
}

// Inputs: rise and set in UT hours. Result: (set - rise) / 24 days; negative when the set
// falls after midnight UT, which the "hh:mm" pattern shows as its complement to 24 hours.
DateTime DayLength(double riseHours, double setHours) {
    return (setHours - riseHours) / 24.0;
}

} // namespace skelvane
