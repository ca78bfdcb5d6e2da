#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace skelvane {

// Phase codes, stored wherever a phase is kept.
inline constexpr float kNewMoonCode = 0.0f;
inline constexpr float kFirstQuarterCode = 0.5f;
inline constexpr float kFullMoonCode = 1.0f;
inline constexpr float kLastQuarterCode = -0.5f;

// Phase names for day labels and the phase label.
inline constexpr std::string_view kNewMoonName = "New Moon";
inline constexpr std::string_view kFirstQuarterName = "First Quarter";
inline constexpr std::string_view kFullMoonName = "FULL MOON";
inline constexpr std::string_view kLastQuarterName = "Last Quarter";
// The same for the phase lists, each with a leading blank.
inline constexpr std::string_view kNewMoonListName = " New Moon";
inline constexpr std::string_view kFirstQuarterListName = " First Quarter";
inline constexpr std::string_view kFullMoonListName = " Full Moon";
inline constexpr std::string_view kLastQuarterListName = " Last Quarter";

// The principal phases in lunation order; PhasesInMonth takes them as 0..3.
enum class PrincipalPhase { NewMoon = 0, FirstQuarter = 1, FullMoon = 2, LastQuarter = 3 };

// Instants of the four principal phases of one lunation, Julian ephemeris days used
// directly as Universal Time (no ΔT).
struct LunationRec {
    double newMoon = 0;
    double firstQuarter = 0;
    double fullMoon = 0;
    double lastQuarter = 0;
};

// A phase instant as day number (days since 1600-01-01) and whole seconds after 0 h UT;
// both -1 for an empty slot.
struct PhaseInstant {
    std::int32_t day = -1;
    std::int32_t seconds = -1;
    bool empty() const { return day < 0; }
};

// How many of the chapter's periodic corrections to apply: the lunation list uses the 16
// (new and full moon) and 17 (quarters) largest; the calendar search uses all 25.
enum class PhaseCorrections { Truncated, Full };

// JDE of a principal phase of lunation k (k = 0: the new moon of 2000 January 6; any
// whole number, passed as a double so that no conversion can overflow), k' = k + 0, 0.25,
// 0.5 or 0.75 by phase, with the periodic corrections chosen, the quarters' W correction and
// the 14 planetary corrections. Result in dynamical time; callers in this engine read it as
// UT. Meaningful for k within a few thousand lunations of 2000; the day-number range is
// about -4900..24700. Source: Meeus ch. 49.
double PhaseJde(double k, PrincipalPhase phase, PhaseCorrections corrections);

// The four principal phases of lunation k (k = 0: new moon of 2000 January 6), with the
// truncated corrections; each a JDE read as UT. Source: Meeus ch. 49.
LunationRec LunationPhases(int k);

// The instants of the given phase that fall in the calendar month of the day (day number,
// 0..876581), at most two, searched among the 14 lunations around the day's year; unused
// slots and every slot for an invalid day or phase stay empty. Only instants inside the
// day-number range are reported.
std::array<PhaseInstant, 2> PhasesInMonth(std::int32_t dayNumber, int phase);

} // namespace skelvane
