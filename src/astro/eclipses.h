#pragma once

#include "astro/datetime.h"
#include "astro/eclipse_central_line.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace skelvane {

// Kinds as stored in a record; the order is the lists' order of names.
enum class EclipseKind : std::uint8_t {
    LunarPenumbral = 0,
    LunarPartial = 1,
    LunarTotal = 2,
    SolarPartial = 3,
    SolarAnnular = 4,
    SolarTotal = 5,
    SolarAnnularTotal = 6,
};

// Hemisphere of a solar eclipse, by the sign of gamma; lunar eclipses have none.
inline constexpr std::uint8_t kNoHemisphere = 0;
inline constexpr std::uint8_t kNorthernHemisphere = 1;
inline constexpr std::uint8_t kSouthernHemisphere = 2;

// Magnitude of a central solar eclipse, which is not computed ("Mag: N/A").
inline constexpr double kMagnitudeNotComputed = -1.0;

// One eclipse. Instants are date-time values in UT; an instant that does not occur is 0.
struct EclipseRecord {
    EclipseKind kind = EclipseKind::LunarPenumbral;
    // Lunar: umbral magnitude (penumbral magnitude for a penumbral eclipse); solar partial:
    // magnitude; central solar: kMagnitudeNotComputed.
    double magnitude = 0;
    std::uint8_t hemisphere = kNoHemisphere;
    DateTime penumbralStart = 0; // lunar only
    DateTime penumbralEnd = 0;   // lunar only
    DateTime partialStart = 0;   // U1, lunar partial and total
    DateTime totalStart = 0;     // U2, lunar total
    DateTime maximum = 0;        // every eclipse
    DateTime totalEnd = 0;       // U3, lunar total
    DateTime partialEnd = 0;     // U4, lunar partial and total
    // Central solar eclipses (annular, total, annular-total) only; may be empty when the
    // shadow axis meets the Earth at fewer than two of the sampled marks.
    std::vector<EclipseTrackPoint> track;
};

// " Solar - Partial", " Solar - Annular", " Solar - Total", " Solar - Ann Total",
// " Lunar - Penumbral", " Lunar - Partial" or " Lunar - Total" (leading blank as the lists
// show them); empty for a value outside the enumeration.
std::string_view EclipseKindName(EclipseKind kind);

bool IsSolarEclipse(EclipseKind kind);

// The instant under which the lists show an eclipse (UT): the maximum of a solar eclipse,
// the start of the penumbral phase of a lunar one.
DateTime ListedInstant(const EclipseRecord& eclipse);

// Input: lunation number k (k = 0 the new moon of 2000 January 6; whole k are new moons,
// k + 0.5 full moons). Result: the eclipse at that syzygy with its kind, magnitude,
// hemisphere and contacts (UT, from the JDE less ΔT = (JD - 2382148)² / 41048480 - 15 s);
// no track. Nothing when there is no eclipse, or k is neither whole nor half or not
// finite. Meaningful within a few thousand years of 2000. Reference: Meeus ch. 54.
std::optional<EclipseRecord> EclipseAtLunation(double k);

// Input: a Gregorian year (1..9999). Result: the year's eclipses in chronological order,
// those whose maximum (UT) falls from 1 January 00:00 up to the next 1 January, central
// solar eclipses with their tracks (only for 1600..3999, where the Sun and Moon routines
// work). Empty for a year outside 1..9999. Reference: Meeus ch. 54.
std::vector<EclipseRecord> ComputeEclipsesOfYear(int year);

// What the day labels and menus read for one eclipse: the listed instant (UT) and the kind
// name.
struct EclipseListing {
    DateTime instant = 0;
    std::string_view name;
};

// The eclipse list of one year. The program keeps one instance for the process (owned by
// the clock window, which the information window reads); it holds the year asked for last.
class TStEclipses {
public:
    // Clears the list and fills it with the year's eclipses (ComputeEclipsesOfYear); a year
    // outside 1..9999 leaves it empty.
    void FindEclipses(int year);

    // The year the list holds; 0 before the first FindEclipses.
    int Year() const { return year_; }
    std::size_t Count() const { return eclipses_.size(); }
    // The record at index 0..Count() - 1, else nullptr. Valid until the list is refilled.
    const EclipseRecord* EclipseAt(int index) const;

    // Input: a date-time value whose day is asked about, local time when useLocalTime, else
    // UT. Result: the first eclipse whose listed instant falls on that day (compared in
    // local time, by TimeZoneOffsetHours at the instant, when useLocalTime), or nothing.
    // A date of another year first refills the list for that year. On the first and last
    // day of a year the neighbouring year's eclipses are also looked at (without changing
    // the list), because a local day or a lunar eclipse's penumbral start can lie in
    // another UT year than the eclipse's maximum.
    std::optional<EclipseListing> GetEclipse(DateTime date, bool useLocalTime);

    // The day (00:00) of the n-th eclipse of the list (n from 1) in local time when
    // useLocalTime, else UT; nothing for n outside 1..Count(). What "go to eclipse" selects.
    std::optional<DateTime> EclipseDay(int n, bool useLocalTime) const;

private:
    int year_ = 0;
    std::vector<EclipseRecord> eclipses_;
};

} // namespace skelvane
