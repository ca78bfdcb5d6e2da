// Equinoxes and solstices, ΔT, and the dates of the Sun's 15° longitude steps.
#include "astro/seasons.h"
#include "astro/angles.h"
#include "astro/apparent_position.h"
#include "astro/tables/delta_t_table.h"
#include "astro/tables/equinox_terms.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstddef>

namespace skelvane {

namespace {

constexpr double kJ2000 = 2451545.0;
constexpr double kSecondsPerDay = 86400.0;

// Mean instant JDE0 = c0 + c1·Y + c2·Y² + c3·Y³ + c4·Y⁴, Y = (year − 2000) / 1000, for
// the March equinox, June solstice, September equinox and December solstice.
// Source: Meeus, Astronomical Algorithms, table 27.B (years +1000..+3000).
struct MeanSeasonPolynomial {
    const char* name;
    std::array<double, 5> c;
};
constexpr std::array<MeanSeasonPolynomial, 4> kMeanSeasons{{
    {"MAR", {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057}},
    {"JUN", {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030}},
    {"SEP", {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078}},
    {"DEC", {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032}},
}};

bool EqualsIgnoringCase(std::string_view text, const char* upper) {
    std::size_t i = 0;
    for (; i < text.size() && upper[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != upper[i])
            return false;
    }
    return i == text.size() && upper[i] == '\0';
}

// Stop the solar-longitude search when the Sun is this close to the target, degrees
// (a few microseconds of time).
constexpr double kLongitudeTolerance = 3e-10;
// Days per degree used to step towards the target: close to the inverse of the Sun's
// mean motion, so each step removes all but a few percent of the remaining error.
constexpr double kStepDaysPerRadian = 58.0;
// The step converges in well under ten rounds; the cap only guards against a value
// that cannot converge (an extreme year where the series breaks down).
constexpr int kMaxSearchSteps = 50;

} // namespace

// Inputs: a year and "MAR", "JUN", "SEP" or "DEC" in any case. Result: the instant of
// that equinox or solstice as a UTC date-time value, 0 for any other name. The mean
// polynomial of Meeus table 27.B is used for every year; it is accurate to about a
// minute for 1000..3000 and drifts outside. Reference: Meeus ch. 27 (tables 27.B, 27.C),
// ΔT from DeltaTSeconds.
DateTime EquinoxSolstice(int year, std::string_view which) {
    const MeanSeasonPolynomial* season = nullptr;
    for (const MeanSeasonPolynomial& candidate : kMeanSeasons) {
        if (EqualsIgnoringCase(which, candidate.name))
            season = &candidate;
    }
    if (season == nullptr)
        return 0;

    const double y = (year - 2000.0) / 1000.0;
    const auto& c = season->c;
    const double jde0 = c[0] + y * (c[1] + y * (c[2] + y * (c[3] + y * c[4])));

    const double t = (jde0 - kJ2000) / 36525.0;
    const double w = 35999.373 * t - 2.47;
    const double deltaLambda = 1 + 0.0334 * CosDeg(w) + 0.0007 * CosDeg(2 * w);
    double s = 0;
    for (const tables::EquinoxTerm& term : tables::kEquinoxTable27C)
        s += term.a * CosDeg(term.b + term.c * t);
    const double jde = jde0 + 0.00001 * s / deltaLambda;

    return FromJulianDate(jde - DeltaTSeconds(year) / kSecondsPerDay);
}

// Input: a year (astronomical numbering). Result: ΔT = TT − UT in seconds. 1620..2014:
// the observed annual series; before 948: 2177 + 497x + 44.1x²; 948..1619:
// 102 + 102x + 25.3x² (x = (year − 2000) / 100; Meeus ch. 10); after 2014: year − 1941, one second
// a year from 73 s in 2014, a rough extrapolation as of 2014 (the observed value in 2024 was about
// 69 s).
double DeltaTSeconds(int year) {
    if (year >= tables::kDeltaTFirstYear && year <= tables::kDeltaTLastYear)
        return tables::kDeltaTByYear[static_cast<std::size_t>(year - tables::kDeltaTFirstYear)];
    // Floating point throughout: an extreme year must not overflow an int.
    const double y = year;
    if (year > tables::kDeltaTLastYear)
        return y - 1941.0;
    const double x = (y - 2000.0) / 100.0;
    if (year < 948)
        return 2177.0 + 497.0 * x + 44.1 * x * x;
    return 102.0 + 102.0 * x + 25.3 * x * x;
}

// Inputs: a year and a term 0..23. Result: the UTC date-time value at which the Sun's
// apparent longitude (ApparentSunPosition) equals term × 15°: terms 0..18 fall from March
// to December of the year, 19..23 in January to March of it. 0 for a term outside 0..23
// or a year outside 1..9999, or when the search does not settle. The series is evaluated
// with the UTC value as its time argument, so the instant found runs ΔT (about a
// minute) late compared with EquinoxSolstice.
DateTime SolarLongitudeDate(int year, int term) {
    if (term < 0 || term > 23)
        return 0;
    const double target = term * 15.0;
    const double offsetDays = term * 15.218424583 + 80.0;
    const DateTime start =
        offsetDays > 365.0 ? SafeEncodeDate(year - 1, 1, 1) : SafeEncodeDate(year, 1, 1);
    if (start == 0)
        return 0;

    DateTime date = start + offsetDays;
    // Far from 1900 one step of the date value moves the Sun by about 1e-10°, the size of
    // the tolerance itself, so the search may circle the answer without meeting it: after
    // the last step the closest date seen is the answer (within a millisecond).
    DateTime best = 0;
    double bestError = 1.0; // degrees; a date farther off than this counts as no answer
    for (int step = 0; step < kMaxSearchSteps; ++step) {
        const double lambda = static_cast<double>(ApparentSunPosition(date).longitude);
        // Both angles lie in 0..360; take the shorter way round.
        const double difference = target - lambda;
        const double shortest = difference > 180.0    ? difference - 360.0
                                : difference < -180.0 ? difference + 360.0
                                                      : difference;
        if (std::fabs(shortest) <= kLongitudeTolerance)
            return date;
        if (std::fabs(shortest) < bestError) {
            bestError = std::fabs(shortest);
            best = date;
        }
        date += kStepDaysPerRadian * SinDeg(shortest);
    }
    return best;
}

} // namespace skelvane
