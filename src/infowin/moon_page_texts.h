#pragma once

#include "astro/datetime.h"
#include "astro/day_lists.h"
#include "astro/format_date.h"
#include "astro/timezone.h"

#include <QString>
#include <array>
#include <string>

// The texts of the Moon page as plain functions, so that every wording rule can be checked
// without a window. The page only copies them into its controls.
namespace skelvane {

// Position panels: "123.456° (SE)" and "-12.345°". The engine's "no answer" values
// (azimuth -1, altitude -99) and non-finite numbers give an empty text.
QString AzimuthPanelText(double azimuth);
QString AltitudePanelText(double altitude);
// "Moon Rises at:  " (or any other lead) + "123.4° (SE)"; empty for an unusable azimuth.
QString EventAzimuthText(const QString& lead, double azimuth);

// The illumination line: the fraction in whole percent ("00" pattern) + " % Full", except
// on the day of a principal phase, whose name decides: "New Moon" "00 % Full", a quarter
// "50 % Full", "FULL MOON" "100 % Full". Empty for a fraction that is not a number.
QString IlluminationText(double fraction, const QString& phaseNameOfDay);

// The seven Moon lines: MoonRiseLab1..3, MoonSetLab1..3 and MoonUpLab.
struct MoonLabelTexts {
    std::array<QString, 3> rise, set;
    QString up;
};
// `azimuths` holds the Moon's azimuth at the first and second kept event.
MoonLabelTexts MoonLabels(const MoonDayEvents& events, const std::array<double, 2>& azimuths);

// What the clock window keeps of the day's Sun, with the azimuths at the two events.
struct SunDayInput {
    QString riseLine, riseZone, setLine, setZone;
    double riseHours = 0, setHours = 0; // UT hours or the all-day codes
    double riseAzimuth = -1, setAzimuth = -1;
    bool sunUp = false;
};
// SunRiseLab1..3, SunSetLab1..3, SunUpLab and DayHoursLab.
struct SunLabelTexts {
    std::array<QString, 3> rise, set;
    QString up, dayHours;
};
SunLabelTexts SunLabels(const SunDayInput& sun);

// One line of the daylight-saving group.
struct DaylightLine {
    QString text;    // "Sun Mar 10   02:00 AM Clock Ahead 1 H"
    QString startOf; // "Start of EDT"
    QString hint;    // "Go to Daylight Start" / "Go to Daylight End"
    bool isStart = false;
    DateTime instant = 0; // local clock time of the change
};
struct DaylightGroupTexts {
    bool shown = false;                // only for a zone with daylight saving
    std::array<DaylightLine, 2> lines; // in time order
};
// The year's two clock changes from a reading of the zone for the displayed date.
DaylightGroupTexts DaylightSavingTexts(const TimeZoneState& state,
                                       const DateLocale& names = EnglishDateLocale());

// "Tishri 1, 5785"; empty for a date outside the Hebrew calendar's range.
QString HebrewDateText(DateTime day);
// The four status-bar panels: long date, "Day: n", "Week: n" (ISO 8601), Hebrew date.
std::array<QString, 4> StatusBarTexts(DateTime day, const std::string& longDatePattern,
                                      const DateLocale& names = EnglishDateLocale());

// Group captions set by the page's refresh, its own and three of other pages.
struct MoonPageCaptions {
    QString moon, sun, phases, equinoxes, daylight;
    QString planets, meteors, eclipses;
};
MoonPageCaptions PageCaptions(DateTime day, const std::string& longDatePattern,
                              const DateLocale& names = EnglishDateLocale());

// "Go To Full Moon" for a kept phase; empty for an empty slot.
QString PhaseGoToHint(const StMoonRec& phase);
// Icon number of a kept phase: new moon 0, first quarter 6, full moon 12, last quarter 18,
// or (24 - that) mod 24 for the southern form; -1 for an empty slot.
int PhaseIconNumber(const StMoonRec& phase, bool southern);

} // namespace skelvane
