#pragma once

#include "astro/eclipses.h"
#include "astro/format_date.h"

#include <QString>
#include <QStringList>
#include <span>
#include <string>

// The eclipse group of the Planet page as plain functions: the label rows, the summary
// lines and the detail blocks of the memo. The page only copies them into its controls.
namespace skelvane {

// How the year's eclipses are written: local clock time (with the zone's name) or
// Greenwich time, 12- or 24-hour clock, and the two date patterns.
struct EclipseTextMode {
    bool localTime = true;
    bool use24Hour = false;
    std::string datePattern = "mm/dd/yy";        // the labels
    std::string summaryDatePattern = "mm/dd/yy"; // the memo
    DateLocale names = EnglishDateLocale();
};

// The group shows (and the clock window's menus offer) at most this many eclipses.
inline constexpr int kEclipseRowCount = 7;

// Separates the memo's summary and each detail block.
inline constexpr const char* kEclipseMemoRule = "------------------------";

// One label row: "03/25/24   12:53 AM  Lunar - Penumbral", the zone name beside it and the
// index of its icon in the clock window's small image list.
struct EclipseRowTexts {
    QString label;
    QString zone;
    int icon = 0;
};
EclipseRowTexts EclipseRow(const EclipseRecord& eclipse, const EclipseTextMode& mode);

// "03/25/24 Lunar - Penumbral": the date of the listed instant (24-hour clock, minute
// rounding, in the mode's time scale) cut to 8 characters, and the kind name.
QString EclipseSummaryLine(const EclipseRecord& eclipse, const EclipseTextMode& mode);

// The memo block of one eclipse: heading, magnitude (and hemisphere of a solar one), the
// contacts that occur (each: caption, date and time, zone, empty line), the central line's
// points of a central solar eclipse, then the rule and an empty line.
QStringList EclipseDetailBlock(const EclipseRecord& eclipse, const EclipseTextMode& mode);

// The whole memo: the frame lines with the summary lines of the first kEclipseRowCount
// eclipses between them, then their detail blocks. A year without eclipses gives the
// frame lines only.
QStringList EclipseMemoLines(std::span<const EclipseRecord> eclipses, const EclipseTextMode& mode);

} // namespace skelvane
