#pragma once

#include "astro/datetime.h"
#include "astro/day_lists.h"
#include "astro/format_date.h"

#include <QColor>
#include <QString>

namespace skelvane {

class TStEclipses;
struct Settings;

// Everything the clock window shows for its calendar's date: the sun and moon lines, the
// two day-info labels, the hints and the summary caption. Computed by one plain function
// so the window only copies it into its controls.
struct DayDisplay {
    QString sunriseLabel, sunsetLabel;
    // Kept for the Moon page: the lines with their dates and zone labels, and the hours.
    QString sunriseLine, sunsetLine, sunriseZone, sunsetZone;
    double sunriseHours = 0, sunsetHours = 0;
    QColor sunLabelColor;
    QString dayInfo1, dayInfo2;
    QColor dayInfoColor;
    bool sunUp = false, moonUp = false;
    QString sunHint;  // Panel5 and the sun labels
    QString moonHint; // Moon2 and Panel4
    QString dateHint; // Panel2
    QString summary;  // tray hint and, without line breaks, the caption

    // The lists the menus and the Moon page read, in the display's time scale: the month's
    // principal phases, the year's equinoxes and solstices, and the day's phase name.
    std::array<StMoonRec, 5> phases{};
    std::array<EquinoxEntry, 4> seasons{};
    QString phaseNameOfDay;
    // The day at the present time of day, UT: the instant whose Moon is pictured.
    DateTime momentUtc = 0;
    // Whether the day-info labels name the day (a holiday, season, phase, eclipse or
    // Election Day) instead of showing the Moon's rise and set.
    bool dayNamed = false;
};

struct DayDisplayInputs {
    DateTime day = 0; // the calendar's date (local); its time of day is ignored
    DateTime now = 0; // the present local time
    std::string shortDatePattern = "mm/dd/yy";
    DateLocale names = EnglishDateLocale();
    // The year's eclipses, or null while nothing keeps them.
    TStEclipses* eclipses = nullptr;
    // Temperature and weather texts once a report has arrived (empty before).
    QString temperatureText, weatherText;
};

DayDisplay ComputeDayDisplay(const Settings& settings, const DayDisplayInputs& inputs);

// The fixed line shown under "Election Day".
inline constexpr const char* kElectionDayText = "Remember to Vote";

} // namespace skelvane
