#include "infowin/moon_page.h"

#include "app/settings.h"
#include "astro/holidays.h"
#include "astro/moon_calendar.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "infowin/apollo_marker.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"
#include "widgets/day_display.h"
#include "widgets/moon_icons.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>
#include <optional>

#include <cmath>
#include <memory>
#include <vector>

namespace skelvane {
namespace {

constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
constexpr const char* kSydney = "AEST-10AEDT,M10.1.0,M4.1.0/3";
const QString kGmt = QStringLiteral("Greenwich Time (GMT)");

// The information window's font; the page inherits it there.
QFont WindowFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

class MoonPageTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        useZone(kNewYork);
        settings.Latitude = 40.7128; // New York
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York");
        page = std::make_unique<MoonPage>(settings, icons);
        page->setFont(WindowFont());
        QObject::connect(page.get(), &MoonPage::goToDate,
                         [this](DateTime day) { wentTo.push_back(day); });
        QObject::connect(page.get(), &MoonPage::displayModeChanged, [this] { ++modeChanges; });
        QObject::connect(page.get(), &MoonPage::eclipseListNeedsRebuild,
                         [this] { ++eclipseRebuilds; });
        QObject::connect(page.get(), &MoonPage::refreshRequested, [this] { ++refreshes; });
    }
    void TearDown() override {
        page.reset();
        zone.reset();
    }
    void useZone(const char* rule) {
        zone.reset();
        zone.emplace(rule);
    }
    // The selected day at a local clock time, as the frame passes it.
    void refresh(int year, int month, int day, int hour = 12, int minute = 0) {
        MoonPageInputs inputs;
        inputs.x = SafeEncodeDate(year, month, day) + (hour * 60 + minute) / 1440.0;
        inputs.nowLocal = inputs.x;
        page->UpdateInfoForm(inputs);
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
    QString text(const char* name) { return text(QString::fromLatin1(name)); }

    Settings settings;
    MoonIconLists icons;
    std::unique_ptr<MoonPage> page;
    std::vector<DateTime> wentTo;
    int modeChanges = 0, eclipseRebuilds = 0, refreshes = 0;
};

TEST_F(MoonPageTest, GreenwichModeShowsEveryListInUniversalTime) {
    refresh(2024, 10, 3);
    EXPECT_EQ(text("TimeLabel3"), QStringLiteral("EDT"));
    EXPECT_EQ(text("Label3"), QStringLiteral("10/17/24   07:27  AM   Full Moon"));
    const DateTime localFull = page->phases()[2].instant();

    control<QRadioButton>(QStringLiteral("LocalTimeRadioGroup1"))->click();
    EXPECT_FALSE(settings.UseLocalTime);
    EXPECT_EQ(modeChanges, 1);
    EXPECT_EQ(eclipseRebuilds, 1);
    refresh(2024, 10, 3); // the frame re-selects the date

    EXPECT_EQ(text("Label3"), QStringLiteral("10/17/24   11:27  AM   Full Moon"));
    EXPECT_NEAR(page->phases()[2].instant() - localFull, 4 / 24.0, 1e-6);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(text(QStringLiteral("TimeLabel%1").arg(n)), kGmt) << n;
        EXPECT_EQ(text(QStringLiteral("SunTimeLabel%1").arg(n)), kGmt) << n;
    }
    for (const char* zoneLabel : {"MoonRiseLab2", "MoonSetLab2", "SunRiseLab2", "SunSetLab2"})
        EXPECT_EQ(text(zoneLabel), kGmt) << zoneLabel;
    EXPECT_EQ(page->equinoxes()[3].zoneName, kGmt.toStdString());
    EXPECT_TRUE(text("SunRiseLab1").startsWith(QStringLiteral("Sunrise 10:55 AM")))
        << text("SunRiseLab1").toStdString();
}

TEST_F(MoonPageTest, FifthPhaseButtonOnlyInAMonthWithFivePhases) {
    refresh(2024, 5, 10); // last quarters on 1 and 30 May
    auto* fifth = control<QToolButton>(QStringLiteral("MoonPhaseBut5"));
    ASSERT_NE(fifth, nullptr);
    EXPECT_FALSE(fifth->isHidden());
    EXPECT_EQ(text("Label5"), QStringLiteral("05/30/24   01:13  PM   Last Quarter"));
    EXPECT_EQ(fifth->toolTip(), QStringLiteral("Go To Last Quarter"));
    const int north[] = {18, 0, 6, 12, 18};
    const int south[] = {6, 0, 18, 12, 6};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(page->GetIconNum(n, false), north[n - 1]) << n;
        EXPECT_EQ(page->GetIconNum(n, true), south[n - 1]) << n;
    }

    refresh(2024, 6, 10);
    EXPECT_TRUE(fifth->isHidden());
    EXPECT_TRUE(text("Label5").isEmpty()) << "May's fifth line must not linger";
    EXPECT_TRUE(text("TimeLabel5").isEmpty());
    EXPECT_EQ(page->GetIconNum(5, false), -1);
    for (const int n : {0, 6})
        EXPECT_EQ(page->GetIconNum(n, false), -1) << "no slot " << n;
}

TEST_F(MoonPageTest, PhaseEquinoxAndDaylightLinesSelectTheirDays) {
    refresh(2024, 10, 3);
    page->GoToMoonPhaseDate(3);
    control<QToolButton>(QStringLiteral("MoonPhaseBut1"))->click();
    page->GoToMoonPhaseDate(5); // empty slot
    page->GoToMoonPhaseDate(9); // no such slot
    page->SunLabelClick(1);
    page->DaylightLabelClick(1);
    page->DaylightLabelClick(2);
    const std::vector<DateTime> expected = {
        SafeEncodeDate(2024, 10, 17), SafeEncodeDate(2024, 10, 2), SafeEncodeDate(2024, 3, 19),
        SafeEncodeDate(2024, 11, 3)};
    EXPECT_EQ(wentTo, expected);
    EXPECT_EQ(text("SunLabel1"), QStringLiteral("03/19/24   11:06  PM  Mar Equinox"));
}

TEST_F(MoonPageTest, SouthernZoneListsClockBackFirst) {
    useZone(kSydney);
    settings.Latitude = -33.87;
    settings.Longitude = 151.21;
    refresh(2024, 10, 3);
    auto* group = control<QGroupBox>(QStringLiteral("DaylightGroupBox"));
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(group->isHidden());
    EXPECT_EQ(group->title(), QStringLiteral(" 2024  Daylight Savings Time "));
    EXPECT_EQ(text("DaylightStartLabel1"), QStringLiteral("Sun Apr  7   03:00 AM Clock Back 1 H"));
    EXPECT_EQ(text("DaylightStartLabel2"), QStringLiteral("Start of AEST"));
    EXPECT_EQ(text("DaylightEndLabel1"), QStringLiteral("Sun Oct 6   02:00 AM Clock Ahead 1 H"));
    EXPECT_EQ(text("DaylightEndLabel2"), QStringLiteral("Start of AEDT"));
    EXPECT_EQ(control<QToolButton>(QStringLiteral("DaylightStartBut"))->toolTip(),
              QStringLiteral("Go to Daylight End"));
    page->DaylightLabelClick(0);
    ASSERT_EQ(wentTo.size(), 1u);
    EXPECT_EQ(wentTo[0], SafeEncodeDate(2024, 4, 7));

    useZone("JST-9"); // no daylight saving: the group goes
    refresh(2024, 10, 3);
    EXPECT_TRUE(group->isHidden());
    page->DaylightLabelClick(0);
    EXPECT_EQ(wentTo.size(), 1u);
}

TEST_F(MoonPageTest, MoonsetJustAfterMidnightLeavesOnlyTheRise) {
    // 11 October 2024 in New York: the Moon rises at 3:26 PM and sets at 12:47 AM on the
    // 12th, so the 11th has no moonset.
    refresh(2024, 10, 11, 20);
    EXPECT_EQ(text("MoonRiseLab1"), QStringLiteral("Moonrise  3:26 PM  10/11/24"));
    EXPECT_EQ(text("MoonRiseLab2"), QStringLiteral("EDT"));
    EXPECT_TRUE(text("MoonRiseLab3").startsWith(QStringLiteral("Moon Rises at:  1")));
    EXPECT_EQ(text("MoonSetLab1"), QStringLiteral("No moonset this day"));
    EXPECT_TRUE(text("MoonSetLab2").isEmpty());
    EXPECT_TRUE(text("MoonSetLab3").isEmpty());
    EXPECT_EQ(text("MoonUpLab"), QStringLiteral("Moon is up"));

    refresh(2024, 10, 11, 10);
    EXPECT_EQ(text("MoonUpLab"), QStringLiteral("Moon is set")) << "before the rise";

    // The next day lists that set first, in time order.
    refresh(2024, 10, 12, 12);
    EXPECT_EQ(text("MoonRiseLab1"), QStringLiteral("Moonset 12:47 AM  10/12/24"));
}

TEST_F(MoonPageTest, GreenwichModeDecidesUpOrDownOnUniversalTime) {
    // At 5 PM EDT on 11 October the Moon has risen (3:26 PM EDT, 19:26 UT). In Greenwich
    // mode the page lists the UT day, set at 03:34 and rise at 19:26, and must compare them
    // with 21:00 UT, not with the local 17:00.
    settings.UseLocalTime = false;
    refresh(2024, 10, 11, 17);
    EXPECT_TRUE(text("MoonRiseLab1").startsWith(QStringLiteral("Moonset  3:34 AM")))
        << text("MoonRiseLab1").toStdString();
    EXPECT_TRUE(text("MoonSetLab1").startsWith(QStringLiteral("Moonrise  7:26 PM")))
        << text("MoonSetLab1").toStdString();
    EXPECT_EQ(text("MoonUpLab"), QStringLiteral("Moon is up"));
}

TEST_F(MoonPageTest, IlluminationAndPhaseName) {
    refresh(2024, 10, 17); // full moon
    EXPECT_EQ(text("PhaseLab1"), QStringLiteral("100 % Full"));
    EXPECT_EQ(text("PhaseLab2"), QStringLiteral("FULL MOON"));
    refresh(2024, 10, 2); // new moon
    EXPECT_EQ(text("PhaseLab1"), QStringLiteral("00 % Full"));
    EXPECT_EQ(text("PhaseLab2"), QStringLiteral("New Moon"));
    refresh(2024, 10, 13, 12); // waxing gibbous, about 78 %
    const DateTime utc = SafeEncodeDate(2024, 10, 13) + 16 / 24.0;
    const int percent = static_cast<int>(std::nearbyint(MoonIlluminatedFraction(utc) * 100));
    EXPECT_EQ(text("PhaseLab1"), QStringLiteral("%1 % Full").arg(percent));
    EXPECT_GT(percent, 60);
    EXPECT_LT(percent, 95);
    EXPECT_TRUE(text("PhaseLab2").isEmpty());
}

TEST_F(MoonPageTest, StatusBarWithTheHebrewDate) {
    refresh(2024, 10, 3);
    EXPECT_EQ(page->statusText(0), QStringLiteral("Thursday October 3, 2024"));
    EXPECT_EQ(page->statusText(1), QStringLiteral("Day: 277"));
    EXPECT_EQ(page->statusText(2), QStringLiteral("Week: 40"));
    EXPECT_EQ(page->statusText(3), QStringLiteral("Tishri 1, 5785"));
    EXPECT_TRUE(page->statusText(4).isEmpty());
    EXPECT_TRUE(page->statusText(-1).isEmpty());
    EXPECT_EQ(page->captions().eclipses, QStringLiteral(" 2024  Eclipses "));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("MoonGroupBox"))->title(),
              QStringLiteral(" Moon on Thursday October 3, 2024 "));
}

TEST_F(MoonPageTest, SunGroupFromTheClockWindowsLines) {
    DayDisplayInputs day;
    day.day = SafeEncodeDate(2024, 6, 21);
    day.now = day.day + 12 / 24.0;
    const DayDisplay clockDay = ComputeDayDisplay(settings, day);
    MoonPageInputs inputs;
    inputs.x = inputs.nowLocal = day.now;
    inputs.clockDay = &clockDay;
    page->UpdateInfoForm(inputs);
    EXPECT_EQ(text("SunRiseLab1"), clockDay.sunriseLine);
    EXPECT_EQ(text("SunSetLab1"), clockDay.sunsetLine);
    EXPECT_EQ(text("SunRiseLab2"), QStringLiteral("EDT"));
    // New York on 21 June 2024 (timeanddate.com): sunrise at 58° (NE), day 15 h 05 min 48 s.
    const QString riseAzimuth = text("SunRiseLab3");
    ASSERT_TRUE(riseAzimuth.startsWith(QStringLiteral("Sun Rises at:  ")))
        << riseAzimuth.toStdString();
    EXPECT_NEAR(riseAzimuth.mid(15, 4).toDouble(), 58, 1.0) << riseAzimuth.toStdString();
    EXPECT_TRUE(text("DayHoursLab") == QStringLiteral("Day is 15:05 Hours Long") ||
                text("DayHoursLab") == QStringLiteral("Day is 15:06 Hours Long"))
        << text("DayHoursLab").toStdString();
    EXPECT_EQ(text("SunUpLab"), QStringLiteral("Sun is up"));

    settings.Latitude = 80;
    refresh(2024, 6, 21, 0); // no clock-window lines: the page works them out itself
    EXPECT_EQ(text("SunRiseLab1"), QStringLiteral("Sun up all day"));
    for (const char* cleared :
         {"SunRiseLab2", "SunRiseLab3", "SunSetLab1", "SunSetLab2", "SunSetLab3", "DayHoursLab"})
        EXPECT_TRUE(text(cleared).isEmpty()) << cleared;
    EXPECT_EQ(text("SunUpLab"), QStringLiteral("Sun is up")) << "at midnight in polar day";
}

TEST_F(MoonPageTest, SunPositionUsesTheZoneOffset) {
    // New York, 21 June 2024 at local solar noon (12:57:30 EDT): the Sun stands due south at
    // 90 - 40.71 + 23.44 = 72.7 degrees.
    const DateTime noon = SafeEncodeDate(2024, 6, 21) + (12 * 3600 + 57 * 60 + 30) / 86400.0;
    const MoonPage::Azimuths azimuths = page->ShowSunMoonPosition(noon);
    EXPECT_NEAR(azimuths.sun, 180, 1.5);
    EXPECT_NEAR(text("AltitudeSunPanel").chopped(1).toDouble(), 72.7, 0.3)
        << text("AltitudeSunPanel").toStdString();
    EXPECT_TRUE(text("AzimuthSunPanel").endsWith(QStringLiteral(" (S)")))
        << text("AzimuthSunPanel").toStdString();
    EXPECT_FALSE(text("AzimuthMoonPanel").isEmpty());
}

TEST_F(MoonPageTest, ApolloMarkerAndItsHint) {
    refresh(2024, 10, 17); // full moon: the landing site is lit
    auto* moon = control<ApolloMoon>(QStringLiteral("Moon1"));
    ASSERT_NE(moon, nullptr);
    EXPECT_EQ(moon->size(), QSize(64, 64));
    EXPECT_EQ(moon->toolTip(), QStringLiteral("Click to show Apollo 11"));
    EXPECT_NE(moon->markedPicture().pixel(41, 29), qRgb(255, 0, 0));

    page->Moon1Click();
    EXPECT_TRUE(page->apolloMarkerShown());
    EXPECT_EQ(moon->toolTip(), QStringLiteral("Click to hide Apollo 11"));
    EXPECT_EQ(moon->markedPicture().pixel(41, 29), qRgb(255, 0, 0));

    // Turned for the southern hemisphere, the site turns with the disc.
    settings.SouthernHemisphere = true;
    refresh(2024, 10, 17);
    EXPECT_TRUE(moon->rotated());
    EXPECT_EQ(moon->markedPicture().pixel(21, 27), qRgb(255, 0, 0));
    settings.SouthernHemisphere = false;

    // No marker on a Moon before the landing, and no hint at new moon, when the site is dark.
    refresh(1969, 7, 20, 12);
    EXPECT_NE(moon->markedPicture().pixel(41, 29), qRgb(255, 0, 0));
    refresh(2024, 10, 2);
    EXPECT_TRUE(moon->toolTip().isEmpty()) << moon->toolTip().toStdString();

    page->Moon1Click();
    EXPECT_FALSE(page->apolloMarkerShown());
}

TEST_F(MoonPageTest, AnimationRunsOnlyWhileCheckedAndShowing) {
    int started = 0, stopped = 0;
    QObject::connect(page.get(), &MoonPage::animationChanged,
                     [&](bool running) { ++(running ? started : stopped); });
    refresh(2024, 10, 3);
    const DateTime selected = page->pictureDate();
    page->show();
    page->animateStep();
    EXPECT_EQ(page->pictureDate(), selected) << "not checked";

    auto* box = control<QCheckBox>(QStringLiteral("AnimateMoonBox"));
    box->click();
    EXPECT_TRUE(settings.AnimateMoon);
    EXPECT_TRUE(page->animating());
    EXPECT_EQ(started, 1);
    page->animateStep();
    page->animateStep();
    EXPECT_NEAR(page->pictureDate() - selected, 0.66, 1e-9);
    refresh(2024, 10, 4); // a refresh leaves the running picture alone
    EXPECT_NEAR(page->pictureDate() - selected, 0.66, 1e-9);

    page->hide();
    page->animateStep();
    EXPECT_NEAR(page->pictureDate() - selected, 0.66, 1e-9) << "page not showing";

    page->show();
    box->click();
    EXPECT_FALSE(settings.AnimateMoon);
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(refreshes, 1);
    EXPECT_NEAR(page->pictureDate(), selected + 1, 1e-9) << "back to the selected date";
}

TEST_F(MoonPageTest, AnimationStartsOverPastTheEnginesLastDay) {
    refresh(3999, 12, 31, 23);
    const DateTime selected = page->pictureDate();
    page->show();
    control<QCheckBox>(QStringLiteral("AnimateMoonBox"))->click();
    page->animateStep(); // would reach the year 4000
    EXPECT_EQ(page->pictureDate(), selected);
}

TEST_F(MoonPageTest, DatesOutsideTheEngineDoNotBreakThePage) {
    for (const DateTime x : {std::nan(""), 0.0, -1e12, 1e12, SafeEncodeDate(1600, 1, 1),
                             SafeEncodeDate(3999, 12, 31) + 0.99}) {
        SCOPED_TRACE(x);
        MoonPageInputs inputs;
        inputs.x = inputs.nowLocal = x;
        page->UpdateInfoForm(inputs);
        page->ShowSunMoonPosition(x);
        for (int n = 1; n <= 5; ++n)
            page->GoToMoonPhaseDate(n);
        for (int n = 1; n <= 4; ++n)
            page->SunLabelClick(n);
        page->DaylightLabelClick(0);
    }
    EXPECT_EQ(page->statusText(0), QStringLiteral("Friday December 31, 3999"))
        << "the last date the engine takes; the others leave it standing";
    refresh(2024, 10, 3);
    EXPECT_EQ(page->statusText(3), QStringLiteral("Tishri 1, 5785"));
}

TEST_F(MoonPageTest, RadioGroupsFlipTheirSettingOnlyOnAChange) {
    struct Case {
        const char* radio;
        bool Settings::*field;
        bool expected;
        int eclipseRebuilds;
    } cases[] = {
        {"LocalTimeRadioGroup1", &Settings::UseLocalTime, false, 1},
        {"LocalTimeRadioGroup0", &Settings::UseLocalTime, true, 1},
        {"AmPmTimeRadioGroup1", &Settings::UseMilitaryTime, true, 1},
        {"HemisphereRadioGroup1", &Settings::SouthernHemisphere, true, 0},
    };
    refresh(2024, 10, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radio);
        modeChanges = eclipseRebuilds = 0;
        auto* radio = control<QRadioButton>(QString::fromLatin1(c.radio));
        radio->click();
        EXPECT_EQ(settings.*c.field, c.expected);
        EXPECT_EQ(modeChanges, 1);
        EXPECT_EQ(eclipseRebuilds, c.eclipseRebuilds);
        radio->click(); // the same choice again changes nothing
        EXPECT_EQ(modeChanges, 1);
    }
    // A refresh shows the stored choices.
    settings.UseMilitaryTime = false;
    refresh(2024, 10, 3);
    EXPECT_TRUE(control<QRadioButton>(QStringLiteral("AmPmTimeRadioGroup0"))->isChecked());
    EXPECT_EQ(text("Label1"), QStringLiteral("10/02/24   02:50  PM   New Moon"));
    settings.UseMilitaryTime = true;
    refresh(2024, 10, 3);
    EXPECT_EQ(text("Label1"), QStringLiteral("10/02/24   14:50   New Moon"));
}

TEST_F(MoonPageTest, FitsTheInformationWindowUnclipped) {
    // The longest texts: 12-hour clock in Greenwich mode, five phases, a daylight group.
    settings.UseLocalTime = false;
    refresh(2024, 5, 10);
    // Client area 734 x 712 less the tab bar, the page frame and the status bar.
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
    if (const QByteArray shot = qgetenv("SKELVANE_MOON_PAGE_SHOT"); !shot.isEmpty())
        page->grab().save(QString::fromLocal8Bit(shot));
}

} // namespace
} // namespace skelvane
