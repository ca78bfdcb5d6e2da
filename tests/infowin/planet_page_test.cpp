#include "infowin/planet_page.h"

#include "app/settings.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

#include <limits>
#include <memory>
#include <vector>

namespace skelvane {
namespace {

const QString kRule = QStringLiteral("------------------------");

// The information window's font; the page inherits it there.
QFont WindowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

class PlanetPageTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        zone.reset();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        settings.Latitude = 40.7128; // New York
        settings.Longitude = -74.006;
        page = std::make_unique<PlanetPage>(settings, eclipses);
        page->setFont(WindowFont());
        QObject::connect(page.get(), &PlanetPage::goToDate,
                         [this](DateTime day) { wentTo.push_back(day); });
        QObject::connect(page.get(), &PlanetPage::eclipseListChanged, [this] { ++listChanges; });
    }
    void TearDown() override {
        page.reset();
        zone.reset();
    }
    template <typename T = QLabel> T* control(const QString& name) {
        T* found = page->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString text(const QString& name) {
        const QLabel* label = control(name);
        return label ? label->text() : QString();
    }
    QStringList memoLines(const char* name) {
        const auto* memo = control<QPlainTextEdit>(QString::fromLatin1(name));
        return memo ? memo->toPlainText().split(QLatin1Char('\n')) : QStringList();
    }
    bool rowShown(int n) {
        const bool label = !control(QStringLiteral("EclipseLab%1").arg(n))->isHidden();
        EXPECT_EQ(!control(QStringLiteral("EclipseTimeLab%1").arg(n))->isHidden(), label) << n;
        EXPECT_EQ(!control<QToolButton>(QStringLiteral("EclipseBut%1").arg(n))->isHidden(), label)
            << n;
        return label;
    }

    Settings settings;
    TStEclipses eclipses;
    std::unique_ptr<PlanetPage> page;
    std::vector<DateTime> wentTo;
    int listChanges = 0;
};

TEST_F(PlanetPageTest, TableInBothCoordinateModesAtALocalInstant) {
    settings.EarthSurfaceCoords = false;
    // 14:00 EDT is 18:00 UT: the rows skelvane-almanac gives for that instant.
    page->ShowPlanets(SafeEncodeDateTime(2024, 4, 8, 14, 0, 0, 0));
    QStringList lines = memoLines("PlanetsMemo");
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], QStringLiteral("         RA      Declination"));
    EXPECT_EQ(lines[2], QStringLiteral("Sun      1 10.33  + 7 27.6"));
    EXPECT_EQ(lines[4], QStringLiteral("Mercury  1 26.39  + 12 07.1"));
    EXPECT_EQ(lines[11], QStringLiteral("Pluto   20 18.35  - 22 41.0"));
    EXPECT_EQ(text(QStringLiteral("PlanetLab1")),
              QStringLiteral("RA = Right Ascension in hours east of equinox."));
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("PlanetRadioGroup1"))->isChecked());

    // The user's choice is stored and redraws the table at the same instant.
    control<QRadioButton>(QStringLiteral("PlanetRadioGroup0"))->click();
    EXPECT_TRUE(settings.EarthSurfaceCoords);
    lines = memoLines("PlanetsMemo");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], QStringLiteral("         Compass     Angle"));
    // The Sun stands in the south-west, high in the afternoon sky; Pluto has not risen.
    const QString deg(QChar(0x00B0));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Sun    "))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains(deg + QStringLiteral("(SW)")) ||
                lines[1].contains(deg + QStringLiteral("(S) ")))
        << lines[1].toStdString();
    EXPECT_GT(lines[1].mid(19, 7).toDouble(), 40);
    EXPECT_LT(lines[10].mid(19, 7).toDouble(), 0) << lines[10].toStdString();
    EXPECT_EQ(text(QStringLiteral("PlanetLab2")),
              QStringLiteral("Negative angle = planet is below the horizon."));
}

TEST_F(PlanetPageTest, UnusableInstantLeavesTheTableAsItWas) {
    page->ShowPlanets(SafeEncodeDateTime(2024, 4, 8, 14, 0, 0, 0));
    const QStringList before = memoLines("PlanetsMemo");
    for (const DateTime bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          SafeEncodeDate(1500, 1, 1), SafeEncodeDate(4000, 6, 1), -1e300})
        page->ShowPlanets(bad);
    EXPECT_EQ(memoLines("PlanetsMemo"), before);
}

TEST_F(PlanetPageTest, EclipseYear2024RowsMemoAndViews) {
    page->ShowEclipses(2024);
    EXPECT_EQ(listChanges, 1);
    EXPECT_EQ(eclipses.Year(), 2024); // the shared list follows the shown year
    EXPECT_EQ(page->eclipseYear(), 2024);
    const char* labels[] = {
        "03/25/24   12:54 AM  Lunar - Penumbral", "04/08/24   2:17 PM  Solar - Total",
        "09/17/24   8:41 PM  Lunar - Partial", "10/02/24   2:45 PM  Solar - Annular"};
    for (int n = 1; n <= 7; ++n) {
        EXPECT_EQ(rowShown(n), n <= 4) << n;
        if (n > 4)
            continue;
        EXPECT_EQ(text(QStringLiteral("EclipseLab%1").arg(n)), QLatin1String(labels[n - 1]));
        EXPECT_EQ(text(QStringLiteral("EclipseTimeLab%1").arg(n)), QStringLiteral("EDT"));
        EXPECT_FALSE(control<QToolButton>(QStringLiteral("EclipseBut%1").arg(n))->icon().isNull());
    }
    ASSERT_EQ(page->eclipseListings().size(), 4u);
    EXPECT_EQ(page->eclipseListings()[1].name, " Solar - Total");

    const QStringList memo = memoLines("EclipseMemo");
    EXPECT_EQ(memo.mid(0, 11),
              QStringList({"", kRule, "Eclipse Summary:", "", "03/25/24 Lunar - Penumbral",
                           "04/08/24 Solar - Total", "09/17/24 Lunar - Partial",
                           "10/02/24 Solar - Annular", "", kRule, ""}));
    EXPECT_TRUE(memo.contains(QStringLiteral("Hemisphere: Northern")));
    EXPECT_EQ(memo.count(QStringLiteral(" Lat:     Lon:   Duration")), 19 + 22);

    // Summary view (the default) shows the rows alone; the detailed view lays the memo over
    // them and is stored.
    auto* memoControl = control<QPlainTextEdit>(QStringLiteral("EclipseMemo"));
    EXPECT_TRUE(memoControl->isHidden());
    control<QRadioButton>(QStringLiteral("EclipseRadioGroup1"))->click();
    EXPECT_FALSE(settings.EclipseSummaryView);
    EXPECT_FALSE(memoControl->isHidden());
    EXPECT_GE(memoControl->minimumHeight(), 240);
    control<QRadioButton>(QStringLiteral("EclipseRadioGroup0"))->click();
    EXPECT_TRUE(settings.EclipseSummaryView);
    EXPECT_TRUE(memoControl->isHidden());
}

TEST_F(PlanetPageTest, DisplayModesRebuildTheRowsInGreenwichTime) {
    settings.UseLocalTime = false;
    settings.UseMilitaryTime = true;
    page->ShowEclipses(2024);
    EXPECT_EQ(text(QStringLiteral("EclipseLab3")),
              QStringLiteral("09/18/24   00:41  Lunar - Partial"));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(text(QStringLiteral("EclipseTimeLab%1").arg(n)),
                  QStringLiteral("Greenwich Time (GMT)"));
}

TEST_F(PlanetPageTest, YearWithoutEclipsesShowsNoRowAndOnlyTheFrame) {
    page->ShowEclipses(2024);
    // The engine finds eclipses in every real year; a year outside its range has none.
    for (const int year : {0, 10000, -7}) {
        page->ShowEclipses(year);
        for (int n = 1; n <= 7; ++n)
            EXPECT_FALSE(rowShown(n)) << year << " row " << n;
        EXPECT_EQ(memoLines("EclipseMemo"),
                  QStringList({"", kRule, "Eclipse Summary:", "", "", kRule, ""}));
        EXPECT_TRUE(page->eclipseListings().empty());
    }
    page->EclipseLabClick(1);
    EXPECT_TRUE(wentTo.empty());
}

TEST_F(PlanetPageTest, GoToClicksSelectTheDay) {
    page->ShowEclipses(2024);
    // The partial lunar eclipse starts on 17 September in New York, 18 September in UT.
    QTest::mouseClick(control(QStringLiteral("EclipseLab3")), Qt::LeftButton);
    control<QToolButton>(QStringLiteral("EclipseBut2"))->click();
    page->EclipseLabClick(5); // no fifth eclipse
    page->EclipseLabClick(0);
    ASSERT_EQ(wentTo.size(), 2u);
    EXPECT_EQ(wentTo[0], SafeEncodeDate(2024, 9, 17));
    EXPECT_EQ(wentTo[1], SafeEncodeDate(2024, 4, 8));

    settings.UseLocalTime = false;
    page->ShowEclipses(2024);
    page->EclipseLabClick(3);
    EXPECT_EQ(wentTo.back(), SafeEncodeDate(2024, 9, 18));

    wentTo.clear();
    QTest::mouseClick(control(QStringLiteral("MeteorLab5")), Qt::LeftButton);
    control<QToolButton>(QStringLiteral("MeteorBut9"))->click();
    page->MeteorButClick(10);
    page->MeteorButClick(0);
    ASSERT_EQ(wentTo.size(), 2u);
    EXPECT_EQ(wentTo[0], SafeEncodeDate(2024, 8, 12));
    EXPECT_EQ(wentTo[1], SafeEncodeDate(2024, 12, 14));
}

TEST_F(PlanetPageTest, MeteorRowsCaptionsAndSidereal) {
    const char* captions[] = {
        "Jan  3 - Quadrantids",    "Apr 21 - Lyrids",   "May  5 - Eta Aquarids",
        "Jul 28 - Delta Aquarids", "Aug 12 - Perseids", "Oct 20 - Orionids",
        "Nov  3 - Taurids",        "Nov 17 - Leonids",  "Dec 14 - Geminids"};
    const char* hints[] = {"Go To Quadrantids",    "Go To Lyrids",   "Go To Eta Aquarids",
                           "Go To Delta Aquarids", "Go To Perseids", "Go To Orionids",
                           "Go To Taurids",        "Go To Leonids",  "Go To Geminids"};
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(text(QStringLiteral("MeteorLab%1").arg(n)), QLatin1String(captions[n - 1]));
        EXPECT_EQ(control<QToolButton>(QStringLiteral("MeteorBut%1").arg(n))->toolTip(),
                  QLatin1String(hints[n - 1]));
    }
    // Before any refresh there is no year to go to.
    page->MeteorButClick(1);
    EXPECT_TRUE(wentTo.empty());

    page->setCaptions(QStringLiteral(" Planets on Monday April 8, 2024 "),
                      QStringLiteral(" 2024  Meteor Showers "), QStringLiteral(" 2024  Eclipses "));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("PlanetGroupBox"))->title(),
              QStringLiteral(" Planets on Monday April 8, 2024 "));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("MeteorGroupBox"))->title(),
              QStringLiteral(" 2024  Meteor Showers "));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("EclipseGroupBox"))->title(),
              QStringLiteral(" 2024  Eclipses "));
    page->setSiderealTime(QStringLiteral(" 08:34:57"));
    EXPECT_EQ(text(QStringLiteral("SiderealTimePanel2")), QStringLiteral(" 08:34:57"));
    EXPECT_EQ(text(QStringLiteral("SiderealTimeLabel2")),
              QStringLiteral(" Local Apparent Sidereal Time"));
}

TEST_F(PlanetPageTest, FitsTheInformationWindowUnclipped) {
    // The longest texts: 12-hour clock, seven-letter zone names in Greenwich mode.
    settings.UseLocalTime = false;
    page->ShowEclipses(2024);
    page->ShowPlanets(SafeEncodeDateTime(2024, 4, 8, 14, 0, 0, 0));
    page->setCaptions(QStringLiteral(" Planets on Wednesday September 18, 2024 "),
                      QStringLiteral(" 2024  Meteor Showers "), QStringLiteral(" 2024  Eclipses "));
    page->setSiderealTime(QStringLiteral(" 23:59:59"));
    // Client area 734 x 712 less the menu bar, the tab bar, the page frame and the status bar.
    const QSize room(726, 650);
    const QSize needed = page->minimumSizeHint();
    EXPECT_LE(needed.width(), room.width());
    EXPECT_LE(needed.height(), room.height());
    page->resize(room);
    page->show();
    QApplication::processEvents();
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const int needs = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(needs, label->contentsRect().width()) << label->objectName().toStdString();
        const QRect onPage(label->mapTo(page.get(), QPoint(0, 0)), label->size());
        EXPECT_TRUE(page->rect().contains(onPage)) << label->objectName().toStdString();
    }
    // The planet table shows every line without scrolling.
    auto* memo = control<QPlainTextEdit>(QStringLiteral("PlanetsMemo"));
    for (const bool surface : {true, false}) {
        settings.EarthSurfaceCoords = surface;
        page->ShowPlanets(SafeEncodeDateTime(2024, 4, 8, 14, 0, 0, 0));
        QApplication::processEvents();
        EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << surface;
        EXPECT_EQ(memo->horizontalScrollBar()->maximum(), 0) << surface;
    }
    if (const QByteArray shot = qgetenv("SKELVANE_PLANET_PAGE_SHOT"); !shot.isEmpty()) {
        page->grab().save(QString::fromLocal8Bit(shot));
        control<QRadioButton>(QStringLiteral("EclipseRadioGroup1"))->click();
        QApplication::processEvents();
        page->grab().save(QString::fromLocal8Bit(shot).replace(QStringLiteral(".png"),
                                                               QStringLiteral("-detail.png")));
    }
}

} // namespace
} // namespace skelvane
