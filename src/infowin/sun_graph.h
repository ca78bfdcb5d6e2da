#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

class QPainter;

namespace skelvane {

// The year's sunrise and sunset graph as plain arithmetic: the two curves in clock times or
// compass directions, the levels of the selected day and of the present moment, the labels
// and the mapping of a click to a day. The page only paints what these decide.

// Which curves are drawn; the index of the " Graph " radio group.
enum class GraphMode { Time = 0, Position = 1 };

// Plot geometry in pixels: the plot runs from y0 (top) to y1 (bottom), 480 pixels for 24
// hours or 360°, one column per day from x0; an 80-pixel strip under it holds the month
// names and the text block.
inline constexpr int kGraphTop = 10;
inline constexpr int kGraphPlotHeight = 480;
inline constexpr int kGraphBottom = kGraphTop + kGraphPlotHeight;
inline constexpr int kGraphColumns = 366;
inline constexpr int kGraphStrip = 80;
inline constexpr int kGraphPlottedDays = 365; // the 366th day of a leap year is not plotted

struct SunGraphOptions {
    GraphMode mode = GraphMode::Time;
    bool daylightSaving = true; // off: the whole year in standard time
    bool use24Hour = false;     // the left margin and the hour labels
    bool useLocalTime = true;   // the side labels' clock (the curves are always local)
    double latitude = 0;
    double longitude = 0;
    int altitudeFeet = 0;
    friend bool operator==(const SunGraphOptions&, const SunGraphOptions&) = default;
};

struct GraphFrame {
    int x0 = 0, x1 = 0; // x1 = x0 + 366
    int y0 = kGraphTop, y1 = kGraphBottom;
};
// 40 pixels of margin for "hh:mm" labels, 60 for "hh:mm AM" and for the direction labels
// ("315° (NW)"), which do not fit in 40 whatever the clock style.
int GraphLeftMargin(GraphMode mode, bool use24Hour);
GraphFrame GraphFrameFor(GraphMode mode, bool use24Hour);
// The drawing's size: the frame, its text strip and room for the date-line marks.
QSize SunGraphSize(GraphMode mode, bool use24Hour);

// A day's rising and setting points as levels above the plot's bottom line
// (0 = bottom = 00:00 or 0°, 480 = top = 24:00 or 360°).
struct GraphDayLevels {
    int rise = 0;
    int set = 0;
    friend bool operator==(const GraphDayLevels&, const GraphDayLevels&) = default;
};

struct SunGraphCurves {
    int year = 0;
    std::array<GraphDayLevels, kGraphPlottedDays> days{}; // 1 January first
};

// Both curves of a year (days 1..365). Reads the time-zone record at every event when
// daylight saving is on.
SunGraphCurves ComputeSunGraphCurves(int year, const SunGraphOptions& options);
// The levels of one day (any day of the year, the 366th too).
GraphDayLevels SunGraphDayLevels(DateTime day, const SunGraphOptions& options);
// The level of an instant (UTC): its clock time on the graph's clock, or the Sun's azimuth
// then in position mode.
int SunGraphMomentLevel(DateTime utc, const SunGraphOptions& options);

// The labels beside the graph for the selected day.
struct SunGraphSideTexts {
    QString riseLab1, riseLab2, riseLab3; // "06:12 AM Sunrise", zone, "Sun Rises at:  …"
    QString setLab1, setLab2, setLab3;
    QString dayHoursLab; // "Day is 11:58 Hours Long"
};
SunGraphSideTexts SunGraphSideLabels(DateTime day, const SunGraphOptions& options);

// " 2024  Sunrise and Sunset (local time) " or "… (position) ".
QString GraphGroupCaption(int year, GraphMode mode);
// The side group's caption after a day was chosen: " Wed  December 25, 2024 ".
QString GraphDayCaption(DateTime day, const DateLocale& names = EnglishDateLocale());

// Label i (0..24, top to bottom) of the left scale.
QString GraphLeftLabel(GraphMode mode, bool use24Hour, int i);

struct GraphMonthMark {
    int x = 0;    // the column of the month's first day
    QString name; // the short month name
};
std::array<GraphMonthMark, 12> GraphMonthMarks(int year, int x0,
                                               const DateLocale& names = EnglishDateLocale());

// The three lines of the text block under the plot: place and caption, latitude and
// altitude in feet, longitude and altitude in metres.
std::array<QString, 3> GraphTextLines(const QString& placeName, const QString& caption,
                                      double latitude, double longitude, int altitudeFeet);

// The day a click at column x selects: x0 < x <= x0 + the days of the year gives day
// x - x0 of the year; nothing elsewhere.
std::optional<DateTime> GraphClickDay(int x, int year, GraphMode mode, bool use24Hour);

// Everything one drawing needs.
struct SunGraphScene {
    SunGraphOptions options;
    SunGraphCurves curves;
    DateTime selectedDay = 0;
    GraphDayLevels selectedLevels;
    int presentLevel = 0;
    bool showDateLines = true;
    QString caption;
    std::array<QString, 3> textLines;
    std::array<GraphMonthMark, 12> months{};
};
SunGraphScene BuildSunGraphScene(DateTime selectedDay, DateTime nowUtc,
                                 const SunGraphOptions& options, bool showDateLines,
                                 const QString& placeName,
                                 const DateLocale& names = EnglishDateLocale());

// Colours of the drawing.
inline const QColor kGraphDayColor(255, 255, 255);
inline const QColor kGraphNightColor(192, 192, 192);

void DrawSunGraph(QPainter& painter, const SunGraphScene& scene, const QColor& background);
// The scene drawn into an image of SunGraphSize (GetGraph's picture).
QImage RenderSunGraph(const SunGraphScene& scene, const QColor& background, const QFont& font);

} // namespace skelvane
