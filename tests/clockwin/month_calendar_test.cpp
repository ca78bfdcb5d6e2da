#include "clockwin/month_calendar.h"

#include "astro/eclipses.h"
#include "astro/holidays.h"
#include "astro/timezone.h"
#include "support/scoped_zone.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace skelvane {
namespace {

// Table rows print as their names in failure messages.
template <typename Case> void PrintCase(const Case& c, std::ostream* os) {
    *os << c.name;
}

std::string CaseName(const std::string& name) {
    return name;
}

// ---------------------------------------------------------------- layout arithmetic

struct FirstCellCase {
    std::string name;
    int year, month, startOfWeek;
    GridCell cellOfFirst;
};

void PrintTo(const FirstCellCase& c, std::ostream* os) {
    PrintCase(c, os);
}

class CalendarLayoutFirstDay : public ::testing::TestWithParam<FirstCellCase> {};

TEST_P(CalendarLayoutFirstDay, DayOneLandsInRowOneAtItsWeekdayColumn) {
    const FirstCellCase& c = GetParam();
    const int offset = MonthOffset(c.year, c.month, c.startOfWeek);
    EXPECT_EQ(CellOfDay(offset, 1), c.cellOfFirst);
    EXPECT_EQ(DayInCell(offset, DaysInMonth(c.year, c.month), c.cellOfFirst), 1);
}

INSTANTIATE_TEST_SUITE_P(Months, CalendarLayoutFirstDay,
                         ::testing::Values(
                             // 1 February 2026 is a Sunday, 1 August 2026 a Saturday, 1 June 2026 a
                             // Monday, 1 April 2026 a Wednesday.
                             FirstCellCase{"OnWeekStartSunday", 2026, 2, 0, {0, 1}},
                             FirstCellCase{"DayBeforeWeekStartSunday", 2026, 8, 0, {6, 1}},
                             FirstCellCase{"OnWeekStartMonday", 2026, 6, 1, {0, 1}},
                             FirstCellCase{"DayBeforeWeekStartMonday", 2026, 2, 1, {6, 1}},
                             FirstCellCase{"SevenActsAsSunday", 2026, 8, 7, {6, 1}},
                             FirstCellCase{"SevenOnSunday", 2026, 2, 7, {0, 1}},
                             FirstCellCase{"OnWeekStartSaturday", 2026, 8, 6, {0, 1}},
                             FirstCellCase{"MidWeekSunday", 2026, 4, 0, {3, 1}},
                             FirstCellCase{"MidWeekMonday", 2026, 4, 1, {2, 1}},
                             FirstCellCase{"LeapFebruary", 2024, 2, 0, {4, 1}}),
                         [](const auto& param) { return CaseName(param.param.name); });

TEST(CalendarLayout, EveryDayHasExactlyOneCellAndTheCellGivesItBack) {
    for (int year : {1600, 2024, 2026, 3429}) {
        for (int month = 1; month <= 12; ++month) {
            for (int start = 0; start <= 7; ++start) {
                const int offset = MonthOffset(year, month, start);
                const int days = DaysInMonth(year, month);
                std::vector<int> seen(static_cast<std::size_t>(days) + 1, 0);
                for (int row = 0; row < kCalendarRows; ++row)
                    for (int column = 0; column < kCalendarColumns; ++column)
                        ++seen[static_cast<std::size_t>(DayInCell(offset, days, {column, row}))];
                for (int day = 1; day <= days; ++day) {
                    SCOPED_TRACE(testing::Message()
                                 << year << "-" << month << "-" << day << " start " << start);
                    EXPECT_EQ(seen[static_cast<std::size_t>(day)], 1);
                    const GridCell cell = CellOfDay(offset, day);
                    EXPECT_GE(cell.row, 1);
                    EXPECT_LE(cell.row, 6);
                    EXPECT_EQ(DayInCell(offset, days, cell), day);
                }
            }
        }
    }
}

TEST(CalendarLayout, HeaderRowAndOutOfRangeCellsShowNoDay) {
    const int offset = MonthOffset(2026, 8, 0); // -5: row 1 holds only the 1st
    EXPECT_EQ(DayInCell(offset, 31, {5, 1}), 0);
    EXPECT_EQ(DayInCell(offset, 31, {3, 0}), 0);
    EXPECT_EQ(DayInCell(offset, 31, {7, 2}), 0);
    EXPECT_EQ(DayInCell(offset, 31, {0, 7}), 0);
    EXPECT_EQ(DayInCell(offset, 31, {1, 6}), 31);
    EXPECT_EQ(DayInCell(offset, 31, {2, 6}), 0);
}

TEST(CalendarLayout, HeaderFollowsStartOfWeek) {
    EXPECT_EQ(HeaderWeekday(0, 0), 0);
    EXPECT_EQ(HeaderWeekday(0, 1), 1); // Monday first
    EXPECT_EQ(HeaderWeekday(6, 1), 0); // Sunday last
    EXPECT_EQ(HeaderWeekday(0, 7), 0);
    EXPECT_EQ(HeaderWeekday(3, 6), 2);
}

TEST(CalendarLayout, CellSizesShareTheClientAreaLessSixGridLines) {
    EXPECT_EQ(CellExtent(181, 1), 25);
    EXPECT_EQ(CellExtent(180, 1), 24); // 174 / 7, the remainder is dropped
    EXPECT_EQ(CellExtent(5, 1), 0);
    EXPECT_EQ(CellExtent(0, 1), 0);
}

TEST(CalendarLayout, PointsOnGridLinesOrOutsideHitNoCell) {
    // Columns 20 wide, rows 10 high, 1-pixel lines: column 1 spans x 21..40.
    EXPECT_EQ(CellAt(21, 11, 20, 10, 1), (GridCell{1, 1}));
    EXPECT_EQ(CellAt(40, 20, 20, 10, 1), (GridCell{1, 1}));
    EXPECT_EQ(CellAt(20, 15, 20, 10, 1), std::nullopt);
    EXPECT_EQ(CellAt(25, 10, 20, 10, 1), std::nullopt);
    EXPECT_EQ(CellAt(7 * 21, 5, 20, 10, 1), std::nullopt);
    EXPECT_EQ(CellAt(5, 7 * 11, 20, 10, 1), std::nullopt);
    EXPECT_EQ(CellAt(-1, 5, 20, 10, 1), std::nullopt);
    EXPECT_EQ(CellAt(5, 5, 0, 0, 1), std::nullopt);
}

TEST(CalendarLayout, MoonMarkSitsInTheCellsLowerRightCorner) {
    // Cell pixels x 100..129, y 50..69: the box ends 1 pixel before x 130, 3 before y 70.
    const QRect box = MoonMarkRect(QRect(100, 50, 30, 20));
    EXPECT_EQ(box, QRect(118, 56, 11, 11));
}

// ---------------------------------------------------------------- date-part rules

struct PartCase {
    std::string name;
    std::optional<CivilDate> (*rule)(CivilDate, int);
    CivilDate from;
    int value;
    std::optional<CivilDate> expected;
};

void PrintTo(const PartCase& c, std::ostream* os) {
    PrintCase(c, os);
}

class CalendarDateParts : public ::testing::TestWithParam<PartCase> {};

TEST_P(CalendarDateParts, GiveTheDocumentedDate) {
    const PartCase& c = GetParam();
    EXPECT_EQ(c.rule(c.from, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CalendarDateParts,
    ::testing::Values(
        PartCase{"DayInMonth", WithDay, {2026, 4, 10}, 30, CivilDate{2026, 4, 30}},
        PartCase{"Day31InThirtyDayMonthIgnored", WithDay, {2026, 4, 10}, 31, std::nullopt},
        PartCase{"Day29InCommonFebruaryIgnored", WithDay, {2026, 2, 1}, 29, std::nullopt},
        PartCase{"DayZeroIgnored", WithDay, {2026, 4, 10}, 0, std::nullopt},
        PartCase{"NegativeDayIgnored", WithDay, {2026, 4, 10}, -3, std::nullopt},
        PartCase{"MonthThirteenIgnored", WithMonth, {2026, 4, 10}, 13, std::nullopt},
        PartCase{"MonthZeroIgnored", WithMonth, {2026, 4, 10}, 0, std::nullopt},
        PartCase{"MonthKeepsDay", WithMonth, {2026, 4, 10}, 7, CivilDate{2026, 7, 10}},
        PartCase{"MonthTakesLastDay", WithMonth, {2024, 1, 31}, 2, CivilDate{2024, 2, 29}},
        PartCase{"YearZeroIgnored", WithYear, {2026, 4, 10}, 0, std::nullopt},
        PartCase{"YearTenThousandIgnored", WithYear, {2026, 4, 10}, 10000, std::nullopt},
        PartCase{"YearLeapDayToCommon", WithYear, {2008, 2, 29}, 2009, CivilDate{2009, 2, 28}},
        PartCase{"YearLeapDayToLeap", WithYear, {2008, 2, 29}, 2012, CivilDate{2012, 2, 29}},
        PartCase{"NextMonthIntoLeapFebruary", AddMonths, {2024, 1, 31}, 1, CivilDate{2024, 2, 29}},
        PartCase{
            "NextMonthIntoCommonFebruary", AddMonths, {2023, 1, 31}, 1, CivilDate{2023, 2, 28}},
        PartCase{"PrevMonthFromMarch31", AddMonths, {2023, 3, 31}, -1, CivilDate{2023, 2, 28}},
        PartCase{"NextMonthKeepsDay", AddMonths, {2026, 4, 15}, 1, CivilDate{2026, 5, 15}},
        PartCase{"NextMonthOverYearEnd", AddMonths, {2026, 12, 31}, 1, CivilDate{2027, 1, 31}},
        PartCase{"PrevMonthOverYearStart", AddMonths, {2026, 1, 31}, -1, CivilDate{2025, 12, 31}},
        PartCase{"PrevMonthBeforeYearOneIgnored", AddMonths, {1, 1, 5}, -1, std::nullopt},
        PartCase{"NextMonthAfter9999Ignored", AddMonths, {9999, 12, 5}, 1, std::nullopt},
        PartCase{"NextYearFromLeapDay", AddYears, {2008, 2, 29}, 1, CivilDate{2009, 2, 28}},
        PartCase{"PrevYearFromLeapDay", AddYears, {2008, 2, 29}, -1, CivilDate{2007, 2, 28}},
        PartCase{"LeapDayBecomes28First", AddYears, {2008, 2, 29}, 4, CivilDate{2012, 2, 28}},
        PartCase{"NextYearKeepsOtherDays", AddYears, {2008, 3, 31}, 1, CivilDate{2009, 3, 31}},
        PartCase{"PrevYearBeforeYearOneIgnored", AddYears, {1, 6, 1}, -1, std::nullopt}),
    [](const auto& param) { return CaseName(param.param.name); });

// ---------------------------------------------------------------- marks from the engine

MonthMarkOptions UtOptions(TStEclipses* eclipses = nullptr) {
    MonthMarkOptions options;
    options.useLocalTime = false;
    options.eclipses = eclipses;
    return options;
}

TEST(CalendarMonthMarks, HolidaysEclipsesAndSeasonsColourTheirDays) {
    TStEclipses eclipses;
    const auto december = ComputeMonthMarks(2026, 12, UtOptions(&eclipses));
    EXPECT_EQ(december[25].color, DayNumberColor::Holiday); // Christmas
    EXPECT_EQ(december[21].color, DayNumberColor::Blue);    // solstice, 20:50 UT
    EXPECT_EQ(december[10].color, DayNumberColor::Plain);

    const auto august = ComputeMonthMarks(2026, 8, UtOptions(&eclipses));
    EXPECT_EQ(august[12].color, DayNumberColor::Blue); // total solar eclipse
    EXPECT_EQ(august[11].color, DayNumberColor::Plain);

    const auto march = ComputeMonthMarks(2026, 3, UtOptions(&eclipses));
    EXPECT_EQ(march[20].color, DayNumberColor::Blue); // equinox, 14:46 UT
}

TEST(CalendarMonthMarks, EclipseWinsOverHolidayOnTheSameDay) {
    // A partial solar eclipse fell on Christmas 2000.
    TStEclipses eclipses;
    EXPECT_EQ(ComputeMonthMarks(2000, 12, UtOptions(&eclipses))[25].color, DayNumberColor::Blue);
    EXPECT_EQ(ComputeMonthMarks(2000, 12, UtOptions())[25].color, DayNumberColor::Holiday);
}

TEST(CalendarMonthMarks, FlagsSwitchTheirMarksOff) {
    MonthMarkOptions noSeasons = UtOptions();
    noSeasons.showEquinoxSolstice = false;
    EXPECT_EQ(ComputeMonthMarks(2026, 3, noSeasons)[20].color, DayNumberColor::Plain);

    MonthMarkOptions noHolidays = UtOptions();
    noHolidays.showHolidays = false;
    const auto december = ComputeMonthMarks(2026, 12, noHolidays);
    EXPECT_EQ(december[25].color, DayNumberColor::Plain);
    EXPECT_EQ(december[21].color, DayNumberColor::Plain);

    MonthMarkOptions noMoons = UtOptions();
    noMoons.showTinyMoons = false;
    EXPECT_EQ(ComputeMonthMarks(2026, 5, noMoons)[31].moon, TinyMoon::None);
}

TEST(CalendarMonthMarks, PrincipalPhasesOfMay2026) {
    // Full moons 1 and 31 May, last quarter 9 May 21:10 UT, new moon 16 May, first
    // quarter 23 May.
    const auto may = ComputeMonthMarks(2026, 5, UtOptions());
    EXPECT_EQ(may[1].moon, TinyMoon::Full);
    EXPECT_EQ(may[9].moon, TinyMoon::LastQuarter);
    EXPECT_EQ(may[16].moon, TinyMoon::New);
    EXPECT_EQ(may[23].moon, TinyMoon::FirstQuarter);
    EXPECT_EQ(may[31].moon, TinyMoon::Full);
    int marked = 0;
    for (const DayMark& mark : may)
        marked += mark.moon != TinyMoon::None ? 1 : 0;
    EXPECT_EQ(marked, 5);
}

class CalendarLocalDays : public ::testing::Test {
protected:
    void SetUp() override {
        TimeZoneRecord record;
        record.bias = -180; // UTC + 3 h all year
        record.standardName = "Test Standard Time";
        zone.emplace(record);
    }
    void TearDown() override { zone.reset(); }
    std::optional<test::ScopedZone> zone;
};

TEST_F(CalendarLocalDays, PhasesMoveToTheLocalDay) {
    MonthMarkOptions local;
    local.useLocalTime = true;
    const auto may = ComputeMonthMarks(2026, 5, local);
    // 21:10 UT on the 9th is 00:10 on the 10th three hours east.
    EXPECT_EQ(may[9].moon, TinyMoon::None);
    EXPECT_EQ(may[10].moon, TinyMoon::LastQuarter);
}

// ---------------------------------------------------------------- the widget

DateTime Day(int year, int month, int day) {
    return SafeEncodeDate(year, month, day);
}

class CalendarWidget : public ::testing::Test {
protected:
    void SetUp() override {
        zone.emplace(TimeZoneRecord{});
        calendar = std::make_unique<TCalendar>([this] { return today; });
        calendar->SetUseLocalTime(false);
        calendar->resize(7 * 30 + 6, 7 * 20 + 6);
        QObject::connect(calendar.get(), &TCalendar::changed, [this] { ++changes; });
    }
    void TearDown() override {
        calendar.reset();
        zone.reset();
    }
    std::optional<test::ScopedZone> zone;

    QImage Paint() {
        QImage image(calendar->size(), QImage::Format_ARGB32);
        image.fill(Qt::magenta);
        calendar->render(&image);
        return image;
    }

    // Whether any pixel of the cell showing `day` has exactly this colour.
    bool CellHasColor(const QImage& image, int day, QColor color) {
        const QRect cell = calendar->CellRectangle(CellOfDay(calendar->MonthOffsetValue(), day));
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (image.pixelColor(x, y) == color)
                    return true;
        return false;
    }

    QRect MoonBoxOf(int day) {
        return MoonMarkRect(calendar->CellRectangle(CellOfDay(calendar->MonthOffsetValue(), day)));
    }

    void Click(QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), calendar->mapToGlobal(QPointF(at)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(calendar.get(), &press);
    }

    DateTime today = Day(2026, 4, 10) + 0.5;
    std::unique_ptr<TCalendar> calendar;
    int changes = 0;
};

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kBlack(0, 0, 0);

TEST_F(CalendarWidget, StartsOnTodayFromItsSource) {
    EXPECT_EQ(calendar->Year(), 2026);
    EXPECT_EQ(calendar->Month(), 4);
    EXPECT_EQ(calendar->Day(), 10);
    EXPECT_TRUE(calendar->UseCurrentDate());
}

TEST_F(CalendarWidget, IgnoredPartsChangeNothingAndRaiseNoEvent) {
    calendar->SetDay(31); // April has 30 days
    calendar->SetDay(0);
    calendar->SetDay(10); // the current day
    calendar->SetMonth(13);
    calendar->SetYear(0);
    calendar->SetStartOfWeek(8);
    calendar->SetDate(std::nan(""));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(calendar->Date(), Day(2026, 4, 10));
    EXPECT_TRUE(calendar->UseCurrentDate());
    EXPECT_EQ(calendar->StartOfWeek(), 0);
}

TEST_F(CalendarWidget, SettingAPartEndsFollowingToday) {
    calendar->SetDay(30);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(calendar->Day(), 30);
    EXPECT_FALSE(calendar->UseCurrentDate());
    calendar->SetMonth(2); // 30 February does not exist
    EXPECT_EQ(calendar->Day(), 28);
    calendar->SetUseCurrentDate(true);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(DateOf(calendar->Date()), Day(2026, 4, 10));
}

TEST_F(CalendarWidget, WholeDateAndStepsKeepFollowingToday) {
    calendar->SetDate(Day(2024, 1, 31));
    calendar->NextMonth();
    EXPECT_EQ(calendar->Date(), Day(2024, 2, 29));
    calendar->NextYear();
    EXPECT_EQ(calendar->Date(), Day(2025, 2, 28));
    calendar->PrevMonth();
    EXPECT_EQ(calendar->Date(), Day(2025, 1, 28));
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(calendar->UseCurrentDate());
}

TEST_F(CalendarWidget, ClickOnADaySelectsItAndRaisesTheEvent) {
    const QRect cell = calendar->CellRectangle(CellOfDay(calendar->MonthOffsetValue(), 15));
    Click(cell.center());
    EXPECT_EQ(calendar->Day(), 15);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(calendar->UseCurrentDate());
    EXPECT_EQ(calendar->SelectedCell(), CellOfDay(calendar->MonthOffsetValue(), 15));
}

TEST_F(CalendarWidget, ClicksOnHeaderEmptyCellsAndGridLinesSelectNothing) {
    // April 2026 starts on a Wednesday: row 1 columns 0..2 are empty.
    Click(calendar->CellRectangle({1, 0}).center());
    Click(calendar->CellRectangle({1, 1}).center());
    Click(calendar->CellRectangle({6, 6}).center());
    Click(QPoint(calendar->CellRectangle({4, 3}).right() + 1, 70));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(calendar->Day(), 10);
}

TEST_F(CalendarWidget, StartOfWeekMovesTheFirstDay) {
    calendar->SetDate(Day(2026, 2, 14)); // 1 February 2026 is a Sunday
    EXPECT_EQ(CellOfDay(calendar->MonthOffsetValue(), 1), (GridCell{0, 1}));
    calendar->SetStartOfWeek(1);
    EXPECT_EQ(CellOfDay(calendar->MonthOffsetValue(), 1), (GridCell{6, 1}));
    EXPECT_EQ(calendar->SelectedCell(), (GridCell{5, 3}));
}

TEST_F(CalendarWidget, HolidayIsRedEclipseAndEquinoxAreBlue) {
    TStEclipses eclipses;
    calendar->SetEclipses(&eclipses);

    calendar->SetDate(Day(2026, 12, 1));
    QImage image = Paint();
    EXPECT_TRUE(CellHasColor(image, 25, kRed));
    EXPECT_FALSE(CellHasColor(image, 24, kRed));

    calendar->SetDate(Day(2026, 8, 1));
    image = Paint();
    EXPECT_TRUE(CellHasColor(image, 12, kBlue));
    EXPECT_FALSE(CellHasColor(image, 13, kBlue));

    calendar->SetDate(Day(2026, 3, 1));
    image = Paint();
    EXPECT_TRUE(CellHasColor(image, 20, kBlue));

    calendar->SetShowHolidays(false);
    image = Paint();
    EXPECT_FALSE(CellHasColor(image, 20, kBlue));
}

TEST_F(CalendarWidget, HolidayOnAnEclipseDayIsBlue) {
    TStEclipses eclipses;
    calendar->SetEclipses(&eclipses);
    calendar->SetDate(Day(2000, 12, 1));
    const QImage image = Paint();
    EXPECT_TRUE(CellHasColor(image, 25, kBlue));
    EXPECT_FALSE(CellHasColor(image, 25, kRed));
}

TEST_F(CalendarWidget, FullMoonIsAYellowDiscWithABlackRim) {
    calendar->SetDate(Day(2026, 5, 2));
    const QImage image = Paint();
    const QRect box = MoonBoxOf(1);
    EXPECT_EQ(image.pixelColor(box.center()), kYellow);
    EXPECT_EQ(image.pixelColor(box.center() + QPoint(-3, 0)), kYellow);
    EXPECT_EQ(image.pixelColor(box.center() + QPoint(3, 0)), kYellow);
    EXPECT_EQ(image.pixelColor(box.left(), box.center().y()), kBlack);
    EXPECT_EQ(image.pixelColor(box.right(), box.center().y()), kBlack);
    EXPECT_FALSE(CellHasColor(image, 2, kYellow));
}

struct HalfCase {
    std::string name;
    int day; // of May 2026
    bool southern;
    QColor left, right;
};

void PrintTo(const HalfCase& c, std::ostream* os) {
    PrintCase(c, os);
}

class CalendarTinyMoonHalves : public CalendarWidget,
                               public ::testing::WithParamInterface<HalfCase> {};

TEST_P(CalendarTinyMoonHalves, LitHalfFollowsPhaseAndHemisphere) {
    const HalfCase& c = GetParam();
    calendar->SetDate(Day(2026, 5, 2));
    calendar->SetSouthernHemisphere(c.southern);
    const QImage image = Paint();
    const QRect box = MoonBoxOf(c.day);
    EXPECT_EQ(image.pixelColor(box.center() + QPoint(-3, 0)), c.left);
    EXPECT_EQ(image.pixelColor(box.center() + QPoint(3, 0)), c.right);
    EXPECT_EQ(image.pixelColor(box.center() + QPoint(-2, 3)), c.left);
    EXPECT_EQ(image.pixelColor(box.center() + QPoint(2, -3)), c.right);
}

INSTANTIATE_TEST_SUITE_P(Phases, CalendarTinyMoonHalves,
                         ::testing::Values(HalfCase{"FirstQuarterNorth", 23, false, kBlack,
                                                    kYellow},
                                           HalfCase{"FirstQuarterSouth", 23, true, kYellow, kBlack},
                                           HalfCase{"LastQuarterNorth", 9, false, kYellow, kBlack},
                                           HalfCase{"LastQuarterSouth", 9, true, kBlack, kYellow},
                                           HalfCase{"NewMoonNorth", 16, false, kBlack, kBlack},
                                           HalfCase{"NewMoonSouth", 16, true, kBlack, kBlack},
                                           HalfCase{"FullMoonSouth", 31, true, kYellow, kYellow}),
                         [](const auto& param) { return CaseName(param.param.name); });

TEST_F(CalendarWidget, TinyMoonsCanBeSwitchedOff) {
    calendar->SetDate(Day(2026, 5, 2));
    calendar->SetShowTinyMoons(false);
    const QImage image = Paint();
    EXPECT_FALSE(CellHasColor(image, 1, kYellow));
    EXPECT_FALSE(CellHasColor(image, 31, kYellow));
}

} // namespace
} // namespace skelvane
