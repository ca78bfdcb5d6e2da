#pragma once

#include "astro/apparent_position.h"
#include "astro/datetime.h"

#include <string>
#include <string_view>

namespace skelvane {

// The calendar model: the Moon's apparent place of the date and what the picture, the
// "% Full" figure, the phase icons and the Chinese calendar derive from it. Every function
// takes a UTC date-time value and uses it unchanged as dynamical time (no ΔT). A value that
// is not a finite number gives NaN results (PhaseIconIndex then reads 12).

// Mean synodic month in days, as the age and the octant search use it.
inline constexpr double kSynodicMonthDays = 29.530589;

// Apparent geocentric longitude (with nutation), latitude, distance (km) and right
// ascension and declination of the date. Meeus ch. 47 with the first edition's mean
// elements, all 60 + 60 periodic terms; nutation and obliquity from Nutation.
ApparentPosRec ApparentMoonPosition(DateTime utc);

// Signed phase angle i in degrees: 0 at full moon, ±180 at new moon, positive while waxing
// (the Moon's apparent longitude less the Sun's within 0..180). Meeus ch. 48 with the
// apparent Sun and Moon.
double MoonPhaseAngle(DateTime utc);

// Illuminated fraction (1 + cos i) / 2, 0..1 (Meeus eq. 48.1).
double MoonIlluminatedFraction(DateTime utc);

// Age in days: (λ_moon − λ_sun) reduced to 0..360, over 360, times the synodic month;
// 0..29.530589.
double MoonAgeDays(DateTime utc);

// Index 0..23 of the small phase icon for a phase progress v in -1..1 (0 new moon, ±0.5
// quarters, ±1 full moon, negative while waning): 0 for |v| ≤ 1/24, n (1..11) for v within
// (2n ± 1)/24, 24 − n for −v within (2n ± 1)/24, 12 beyond 23/24 and for NaN; on a boundary
// the lower index wins.
int PhaseIconIndexFromProgress(double progress);

// Icon index for a signed phase angle i (degrees, -180..180) of the calendar model:
// progress = sign(i) · (1 − |i| / 180), an angle of exactly 0 counting as full moon.
// +90° (first quarter) gives 6, -90° gives 18.
int PhaseIconIndex(double phaseAngle);

// Icon index of a listed phase by its code (0, 0.5, 1, -0.5 give 0, 6, 12, 18); for the
// southern hemisphere's menu (24 − index) mod 24, which swaps the quarters. -1 for any
// other code.
int PhaseIconIndexOfCode(float phaseCode, bool southernHemisphere);

// Error text of a phase search that produced no date.
inline constexpr std::string_view kNoDateError = "No TDateTime possible";

// Calendar-model instant (UTC date-time value) of phase 0..7 in eighths of a lunation
// (0 new, 2 first quarter, 4 full, 6 last quarter, odd numbers the octants between) near
// the date-time value `near`. The principal phases use Meeus ch. 49 with all of its
// corrections for the lunation nearest `near`; the octants iterate on MoonAgeDays from
// `near` to 1e-7 day. 0 (no date) for a phase outside 0..7, a value that is not finite, or
// an iteration that does not settle within 100 steps.
DateTime CalendarPhaseInstant(int phase, DateTime near);

struct PhaseSearchResult {
    DateTime value = 0; // UTC date-time value when ok()
    std::string error;  // kNoDateError when the search produced no date
    bool ok() const { return error.empty(); }
};

// The latest calendar-model instant of the phase (0..7) at or before `date`, stepping back
// from date + 28 days in steps of 28. Error kNoDateError when an instant comes out as 0, the
// phase is out of range, or `date` is not a finite number.
PhaseSearchResult LastPhaseBefore(int phase, DateTime date);

// The earliest instant of the phase at or after `date`, stepping on from date − 28 days.
// Errors as for LastPhaseBefore.
PhaseSearchResult NextPhaseAfter(int phase, DateTime date);

} // namespace skelvane
