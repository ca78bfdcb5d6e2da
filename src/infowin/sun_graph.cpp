#include "infowin/sun_graph.h"

#include "astro/angles.h"
#include "astro/format.h"
#include "astro/seasons.h"
#include "astro/sun.h"
#include "astro/timezone.h"
#include "infowin/location_page_texts.h"
#include "widgets/widget_factories.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPolygon>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

const QString kDegree = QString::fromUtf8("°");
const QColor kDateLineColor(255, 0, 0);
const QColor kSelectedLevelColor(0, 0, 255);
const QColor kEastWestColor(0, 128, 0);

constexpr int kHalfLevel = kGraphPlotHeight / 2;

int Level(double fraction) {
    return static_cast<int>(std::nearbyint(kGraphPlotHeight * fraction));
}

double SunAzimuth(const SunGraphOptions& options, DateTime utc) {
    const RaDecRec place = SunRaDec(AstroTimeFromDateTime(utc));
    return HorizontalPosition(options.altitudeFeet, 0, place.dec, place.ra, options.latitude,
                              options.longitude, utc)
        .azimuth;
}

// What stays the same for every day of a year: the standard offset, and at the poles the
// local days of the two equinoxes.
struct YearContext {
    double standardOffset = 0;
    bool pole = false;
    int marchEquinoxDay = 0;
    int septemberEquinoxDay = 0;
};

double OffsetAt(const YearContext& context, const SunGraphOptions& options, DateTime utc) {
    return options.daylightSaving ? TimeZoneOffsetHours(utc) : context.standardOffset;
}

// An event given in UT hours for a local calendar day, placed on the instant whose local
// date is that day. date + ut / 24 alone is a day late for an event that falls on the UT
// day before (a morning east of Greenwich) and a day early for one on the UT day after, which
// would move the daylight-saving step of the curves by a day; the offset is read again at
// the instant finally chosen.
struct EventInstant {
    DateTime utc = 0;
    double offset = 0;
};

EventInstant PlaceEvent(const YearContext& context, const SunGraphOptions& options, DateTime date,
                        double ut) {
    EventInstant event{date + ut / 24, 0};
    event.offset = OffsetAt(context, options, event.utc);
    const double localDay = std::floor(event.utc + event.offset / 24);
    if (localDay != date) {
        event.utc += localDay < date ? 1 : -1;
        event.offset = OffsetAt(context, options, event.utc);
    }
    return event;
}

YearContext ContextFor(int year, const SunGraphOptions& options) {
    YearContext context;
    TimeZoneOffsetHours(SafeEncodeDate(year, 1, 1));
    const TimeZoneState& state = CurrentTimeZoneState();
    context.standardOffset = state.baseOffsetHours + state.standardBiasHours;
    context.pole = options.mode == GraphMode::Time && std::fabs(options.latitude) >= 90;
    if (context.pole) {
        const auto localDay = [&](const char* which) {
            const DateTime utc = EquinoxSolstice(year, which);
            return DayOfYear(utc + OffsetAt(context, options, utc) / 24);
        };
        context.marchEquinoxDay = localDay("MAR");
        context.septemberEquinoxDay = localDay("SEP");
    }
    return context;
}

// The level of one event: its local clock time (time mode) or the Sun's azimuth at it
// (position mode); codes follow the polar rules.
int EventLevel(const YearContext& context, const SunGraphOptions& options, DateTime date,
               int dayOfYear, bool rising, double ut) {
    if (ut < 0) {
        // No rise or no set: a day without sunset runs from the bottom to the top; a day
        // without sunrise in the hemisphere's winter sits in the middle.
        const bool northernWinter = dayOfYear < 75 || dayOfYear > 270;
        const bool winter = options.latitude >= 0 ? northernWinter : !northernWinter;
        if (ut == kNeverRises && winter)
            return kHalfLevel;
        return rising ? 0 : kGraphPlotHeight;
    }
    const EventInstant event = PlaceEvent(context, options, date, ut);
    if (options.mode == GraphMode::Position)
        return Level(std::max(0.0, SunAzimuth(options, event.utc)) / 360);
    double hours = ut + event.offset;
    hours = hours >= -0.4 && hours <= 0 ? 0 : WrapOnce(hours, 24);
    // A sunset that wrapped past midnight stays at the top of its day.
    if (!rising && hours < 11)
        return kGraphPlotHeight;
    return Level(hours / 24);
}

GraphDayLevels PoleLevels(const YearContext& context, const SunGraphOptions& options,
                          int dayOfYear) {
    if (dayOfYear == context.marchEquinoxDay || dayOfYear == context.septemberEquinoxDay)
        return {kHalfLevel, kHalfLevel};
    const bool between =
        dayOfYear > context.marchEquinoxDay && dayOfYear < context.septemberEquinoxDay;
    const bool sunUp = options.latitude > 0 ? between : !between;
    return sunUp ? GraphDayLevels{0, kGraphPlotHeight} : GraphDayLevels{kGraphPlotHeight, 0};
}

GraphDayLevels LevelsOn(const YearContext& context, const SunGraphOptions& options, DateTime date) {
    const int dayOfYear = DayOfYear(date);
    if (context.pole)
        return PoleLevels(context, options, dayOfYear);
    const CivilDate civil = DecodeDate(date);
    GraphDayLevels levels;
    for (const bool rising : {true, false}) {
        const double ut =
            SunRiseSetHours(civil.day, civil.month, civil.year, rising, options.altitudeFeet,
                            options.longitude, options.latitude);
        (rising ? levels.rise : levels.set) =
            EventLevel(context, options, date, dayOfYear, rising, ut);
    }
    return levels;
}

// The font made smaller where needed so that the widest text fits the room it has: a face
// wider than Tahoma (the usual fallback where Tahoma is missing) would otherwise run into the
// plot or off the picture.
QFont FittingFont(const QFont& font, const QStringList& texts, int room) {
    QFont fitted = font;
    for (int pixels = QFontInfo(font).pixelSize(); pixels >= 7; --pixels) {
        fitted.setPixelSize(pixels);
        const QFontMetrics metrics(fitted);
        int widest = 0;
        for (const QString& text : texts)
            widest = std::max(widest, metrics.horizontalAdvance(text));
        if (widest <= room)
            break;
    }
    return fitted;
}

QString Fixed(double value, int decimals) {
    return QLocale().toString(value, 'f', decimals);
}

} // namespace

int GraphLeftMargin(GraphMode mode, bool use24Hour) {
    return use24Hour && mode == GraphMode::Time ? 40 : 60;
}

GraphFrame GraphFrameFor(GraphMode mode, bool use24Hour) {
    GraphFrame frame;
    frame.x0 = GraphLeftMargin(mode, use24Hour);
    frame.x1 = frame.x0 + kGraphColumns;
    return frame;
}

QSize SunGraphSize(GraphMode mode, bool use24Hour) {
    const GraphFrame frame = GraphFrameFor(mode, use24Hour);
    // The selected day's red cross reaches 5 pixels right of the last column.
    return {frame.x1 + 6, frame.y1 + kGraphStrip + 2};
}

SunGraphCurves ComputeSunGraphCurves(int year, const SunGraphOptions& options) {
    SunGraphCurves curves;
    curves.year = year;
    const DateTime january1 = SafeEncodeDate(year, 1, 1);
    if (january1 == 0)
        return curves;
    const YearContext context = ContextFor(year, options);
    for (int i = 0; i < kGraphPlottedDays; ++i)
        curves.days[static_cast<std::size_t>(i)] = LevelsOn(context, options, january1 + i);
    return curves;
}

GraphDayLevels SunGraphDayLevels(DateTime day, const SunGraphOptions& options) {
    const CivilDate civil = DecodeDate(day);
    if (civil.year < 1)
        return {};
    return LevelsOn(ContextFor(civil.year, options), options, DateOf(day));
}

int SunGraphMomentLevel(DateTime utc, const SunGraphOptions& options) {
    if (!std::isfinite(utc))
        return 0;
    if (options.mode == GraphMode::Position)
        return Level(std::max(0.0, SunAzimuth(options, utc)) / 360);
    const CivilDate civil = DecodeDate(utc);
    const YearContext context = ContextFor(civil.year, options);
    const DateTime local = utc + OffsetAt(context, options, utc) / 24;
    return Level(local - std::floor(local));
}

SunGraphSideTexts SunGraphSideLabels(DateTime day, const SunGraphOptions& options) {
    SunGraphSideTexts texts;
    const CivilDate civil = DecodeDate(day);
    if (civil.year < 1)
        return texts;
    const DateTime date = DateOf(day);
    const double rise = SunRiseSetHours(civil.day, civil.month, civil.year, true,
                                        options.altitudeFeet, options.longitude, options.latitude);
    const double set = SunRiseSetHours(civil.day, civil.month, civil.year, false,
                                       options.altitudeFeet, options.longitude, options.latitude);
    if (rise == kNeverRises || set == kNeverRises) {
        texts.riseLab1 = QStringLiteral("Sun down all day");
        return texts;
    }
    if (rise == kNeverSets || set == kNeverSets) {
        texts.riseLab1 = QStringLiteral("Sun up all day");
        return texts;
    }
    const YearContext context = ContextFor(civil.year, options);
    const auto describe = [&](double ut, const QString& name, const QString& lead, QString& line1,
                              QString& line2, QString& line3) {
        const EventInstant event = PlaceEvent(context, options, date, ut);
        line1 = ToQString(FormatHours(options.useLocalTime, options.use24Hour, event.offset, ut)) +
                name;
        if (!options.useLocalTime)
            line2 = QStringLiteral("Greenwich Time (GMT)");
        else if (options.daylightSaving)
            line2 = ToQString(CurrentTimeZoneState().zoneName); // read at the event just above
        else
            line2 = ToQString(CurrentTimeZoneState().standardName);
        const double azimuth = SunAzimuth(options, event.utc);
        if (std::isfinite(azimuth) && azimuth >= 0)
            line3 = lead + Fixed(azimuth, 1) + kDegree + QStringLiteral(" (") +
                    QString::fromLatin1(CompassPosition(azimuth)) + QLatin1Char(')');
    };
    describe(rise, QStringLiteral(" Sunrise"), QStringLiteral("Sun Rises at:  "), texts.riseLab1,
             texts.riseLab2, texts.riseLab3);
    describe(set, QStringLiteral(" Sunset"), QStringLiteral("Sun Sets at:  "), texts.setLab1,
             texts.setLab2, texts.setLab3);
    texts.dayHoursLab = QStringLiteral("Day is ") +
                        ToQString(FormatDate("hh:mm", DayLength(rise, set))) +
                        QStringLiteral(" Hours Long");
    return texts;
}

QString GraphGroupCaption(int year, GraphMode mode) {
    return QLatin1Char(' ') + QString::number(year) + QStringLiteral("  Sunrise and Sunset") +
           (mode == GraphMode::Time ? QStringLiteral(" (local time) ")
                                    : QStringLiteral(" (position) "));
}

QString GraphDayCaption(DateTime day, const DateLocale& names) {
    return QLatin1Char(' ') + ToQString(FormatDate("ddd  mmmm d, yyyy", day, names)) +
           QLatin1Char(' ');
}

QString GraphLeftLabel(GraphMode mode, bool use24Hour, int i) {
    if (i < 0 || i > 24)
        return {};
    if (mode == GraphMode::Position) {
        const int angle = 360 - 15 * i;
        QString text = QString::number(angle) + kDegree + QLatin1Char(' ');
        if (angle % 45 == 0)
            text +=
                QLatin1Char('(') + QString::fromLatin1(CompassPosition(angle)) + QLatin1Char(')');
        return text;
    }
    if (i == 0)
        return use24Hour ? QStringLiteral("24:00") : QStringLiteral("12:00 AM");
    return ToQString(FormatDate(use24Hour ? "hh:mm" : "hh:mm AM/PM", (24 - i) / 24.0));
}

std::array<GraphMonthMark, 12> GraphMonthMarks(int year, int x0, const DateLocale& names) {
    std::array<GraphMonthMark, 12> marks{};
    for (int month = 1; month <= 12; ++month) {
        GraphMonthMark& mark = marks[static_cast<std::size_t>(month - 1)];
        const DateTime first = SafeEncodeDate(year, month, 1);
        mark.x = x0 + (first == 0 ? 0 : DayOfYear(first));
        mark.name = ToQString(names.shortMonthNames[static_cast<std::size_t>(month - 1)]);
    }
    return marks;
}

std::array<QString, 3> GraphTextLines(const QString& placeName, const QString& caption,
                                      double latitude, double longitude, int altitudeFeet) {
    const LatLonDisplayTexts place =
        LatLonDisplayLines(placeName, latitude, longitude, altitudeFeet);
    const qsizetype width = std::max(place.latitude.size(), place.longitude.size());
    const auto metres = static_cast<long long>(std::nearbyint(altitudeFeet * 0.3048));
    return {placeName + QStringLiteral("   ") + caption,
            place.latitude.leftJustified(width) + QStringLiteral("        Altitude: ") +
                GroupThousands(altitudeFeet) + QStringLiteral(" Feet"),
            place.longitude + QStringLiteral("                        ") + GroupThousands(metres) +
                QStringLiteral(" Meters")};
}

std::optional<DateTime> GraphClickDay(int x, int year, GraphMode mode, bool use24Hour) {
    const int x0 = GraphLeftMargin(mode, use24Hour);
    const DateTime january1 = SafeEncodeDate(year, 1, 1);
    if (january1 == 0)
        return std::nullopt;
    const int days = IsLeapYear(year) ? 366 : 365;
    if (x <= x0 || x > x0 + days)
        return std::nullopt;
    return january1 - 1 + (x - x0);
}

SunGraphScene BuildSunGraphScene(DateTime selectedDay, DateTime nowUtc,
                                 const SunGraphOptions& options, bool showDateLines,
                                 const QString& placeName, const DateLocale& names) {
    SunGraphScene scene;
    scene.options = options;
    scene.selectedDay = DateOf(selectedDay);
    const int year = DecodeDate(selectedDay).year;
    scene.curves = ComputeSunGraphCurves(year, options);
    scene.selectedLevels = SunGraphDayLevels(scene.selectedDay, options);
    scene.presentLevel = SunGraphMomentLevel(nowUtc, options);
    scene.showDateLines = showDateLines;
    scene.caption = GraphGroupCaption(year, options.mode);
    scene.textLines = GraphTextLines(placeName, scene.caption, options.latitude, options.longitude,
                                     options.altitudeFeet);
    scene.months = GraphMonthMarks(year, GraphLeftMargin(options.mode, options.use24Hour), names);
    return scene;
}

void DrawSunGraph(QPainter& painter, const SunGraphScene& scene, const QColor& background) {
    const GraphFrame f = GraphFrameFor(scene.options.mode, scene.options.use24Hour);
    const QSize size = SunGraphSize(scene.options.mode, scene.options.use24Hour);
    const bool timeMode = scene.options.mode == GraphMode::Time;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), background);

    // Day and night: each day's column is white between its rising and setting points and
    // silver elsewhere; a day whose rise is not below its set is night all through.
    painter.fillRect(QRect(QPoint(f.x0 + 1, f.y0 + 1), QPoint(f.x1 - 2, f.y1 - 1)),
                     kGraphNightColor);
    for (int i = 1; i <= kGraphPlottedDays; ++i) {
        const int x = f.x0 + i;
        if (x > f.x1 - 2)
            break;
        const GraphDayLevels& day = scene.curves.days[static_cast<std::size_t>(i - 1)];
        if (day.rise < day.set) {
            const int top = std::max(f.y0 + 1, f.y1 - day.set);
            const int bottom = std::min(f.y1 - 1, f.y1 - day.rise);
            if (top <= bottom)
                painter.fillRect(QRect(x, top, 1, bottom - top + 1), kGraphDayColor);
        }
    }

    // Hour or direction scale with its grid lines.
    const QFont font = painter.font();
    const int gridStart = timeMode ? f.x0 - 10 : f.x0 - 8;
    QStringList labels;
    for (int i = 0; i <= 24; ++i)
        labels << GraphLeftLabel(scene.options.mode, scene.options.use24Hour, i);
    painter.setFont(FittingFont(font, labels, gridStart - 2));
    int ascent = painter.fontMetrics().ascent();
    for (int i = 0; i <= 24; ++i) {
        const int y = f.y0 + i * 20;
        const bool eastWest = !timeMode && (i == 6 || i == 18);
        painter.setPen(QPen(eastWest ? kEastWestColor : Qt::black, 1));
        painter.drawLine(gridStart, y, f.x1, y);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(0, i * 20 + 3 + ascent), labels[i]);
    }

    // Frame.
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(f.x0, f.y0, f.x0, f.y1 + kGraphStrip);
    painter.drawLine(f.x1 - 1, f.y0, f.x1 - 1, f.y1 + kGraphStrip);
    for (const int y : {f.y0, f.y1, f.y1 + 20, f.y1 + kGraphStrip})
        painter.drawLine(f.x0, y, f.x1 - 1, y);

    // Month names and the lines between months (February, the shortest, sets the room).
    QStringList monthNames;
    for (const GraphMonthMark& mark : scene.months)
        monthNames << mark.name;
    painter.setFont(FittingFont(font, monthNames, 28 - 7));
    ascent = painter.fontMetrics().ascent();
    for (std::size_t m = 0; m < scene.months.size(); ++m) {
        const GraphMonthMark& mark = scene.months[m];
        if (m > 0)
            painter.drawLine(mark.x, f.y0, mark.x, f.y1 + 20);
        painter.drawText(QPoint(mark.x + 6, f.y1 + 3 + ascent), mark.name);
    }

    // The two curves.
    QPolygon rising(kGraphPlottedDays), setting(kGraphPlottedDays);
    for (int i = 0; i < kGraphPlottedDays; ++i) {
        const GraphDayLevels& day = scene.curves.days[static_cast<std::size_t>(i)];
        rising.setPoint(i, f.x0 + i + 1, f.y1 - day.rise);
        setting.setPoint(i, f.x0 + i + 1, f.y1 - day.set);
    }
    painter.setPen(QPen(Qt::black, 2));
    painter.drawPolyline(rising);
    painter.drawPolyline(setting);

    // The selected day and the present moment.
    if (scene.showDateLines && scene.selectedDay != 0) {
        const int x = f.x0 + DayOfYear(scene.selectedDay);
        const int now = f.y1 - scene.presentLevel;
        painter.setPen(QPen(kSelectedLevelColor, 1));
        painter.drawLine(f.x0 - 5, f.y1 - scene.selectedLevels.rise, x,
                         f.y1 - scene.selectedLevels.rise);
        painter.drawLine(f.x0 - 5, f.y1 - scene.selectedLevels.set, x,
                         f.y1 - scene.selectedLevels.set);
        painter.setPen(QPen(kDateLineColor, 1));
        painter.drawLine(x, f.y0 - 5, x, f.y1 + 5);
        painter.drawLine(f.x0 - 5, now, x, now);
        painter.drawLine(x - 5, now - 5, x + 5, now + 5);
        painter.drawLine(x - 5, now + 5, x + 5, now - 5);
    }

    // Text block, inside the frame.
    painter.setPen(Qt::black);
    painter.setFont(FittingFont(font, QStringList(scene.textLines.begin(), scene.textLines.end()),
                                f.x1 - f.x0 - 10));
    ascent = painter.fontMetrics().ascent();
    for (std::size_t line = 0; line < scene.textLines.size(); ++line)
        painter.drawText(QPoint(f.x0 + 6, f.y1 + 23 + static_cast<int>(line) * 20 + ascent),
                         scene.textLines[line]);
    painter.restore();
}

QImage RenderSunGraph(const SunGraphScene& scene, const QColor& background, const QFont& font) {
    QImage image(SunGraphSize(scene.options.mode, scene.options.use24Hour), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(font);
    DrawSunGraph(painter, scene, background);
    return image;
}

} // namespace skelvane
