#include "infowin/time_page.h"

#include "app/settings.h"
#include "app/time_formats.h"
#include "infowin/schedule_box.h"
#include "infowin/time_page_texts.h"
#include "infowin/time_servers.h"
#include "infowin/world_clocks.h"
#include "support/qstring_printer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace skelvane {
namespace {

DateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
    return SafeEncodeDateTime(year, month, day, hour, minute, second, 0);
}

// --- World clocks --------------------------------------------------------------------------

enum City { Honolulu, LosAngeles, NewYork, Amsterdam, NewDelhi, Tokyo, Auckland };

TEST(WorldClock, SevenCitiesInPanelOrder) {
    const char* names[] = {"Honolulu",  "Los Angeles", "New York", "Amsterdam",
                           "New Delhi", "Tokyo",       "Auckland"};
    for (std::size_t i = 0; i < kWorldCityCount; ++i) {
        EXPECT_STREQ(WorldCities()[i].name, names[i]);
        EXPECT_EQ(WorldCities()[i].panelName, "CityTime" + std::to_string(i + 1));
    }
}

TEST(WorldClock, DaylightSavingInBothHemispheres) {
    const struct {
        DateTime utc;
        City city;
        DateTime local;
    } cases[] = {
        // Northern summer, southern winter.
        {At(2024, 7, 1, 12, 0), Honolulu, At(2024, 7, 1, 2, 0)},
        {At(2024, 7, 1, 12, 0), LosAngeles, At(2024, 7, 1, 5, 0)},
        {At(2024, 7, 1, 12, 0), NewYork, At(2024, 7, 1, 8, 0)},
        {At(2024, 7, 1, 12, 0), Amsterdam, At(2024, 7, 1, 14, 0)},
        {At(2024, 7, 1, 12, 0), NewDelhi, At(2024, 7, 1, 17, 30)},
        {At(2024, 7, 1, 12, 0), Tokyo, At(2024, 7, 1, 21, 0)},
        {At(2024, 7, 1, 12, 0), Auckland, At(2024, 7, 2, 0, 0)},
        // Northern winter, southern summer.
        {At(2024, 1, 15, 12, 0), Honolulu, At(2024, 1, 15, 2, 0)},
        {At(2024, 1, 15, 12, 0), LosAngeles, At(2024, 1, 15, 4, 0)},
        {At(2024, 1, 15, 12, 0), NewYork, At(2024, 1, 15, 7, 0)},
        {At(2024, 1, 15, 12, 0), Amsterdam, At(2024, 1, 15, 13, 0)},
        {At(2024, 1, 15, 12, 0), NewDelhi, At(2024, 1, 15, 17, 30)},
        {At(2024, 1, 15, 12, 0), Auckland, At(2024, 1, 16, 1, 0)},
        // The weeks in which the rules before 2007 differ from today's.
        {At(2024, 3, 20, 12, 0), NewYork, At(2024, 3, 20, 8, 0)},
        {At(2024, 11, 1, 12, 0), LosAngeles, At(2024, 11, 1, 5, 0)},
        {At(2024, 4, 3, 12, 0), Auckland, At(2024, 4, 4, 1, 0)},
        {At(2024, 9, 30, 12, 0), Auckland, At(2024, 10, 1, 1, 0)},
        // The changes themselves.
        {At(2024, 3, 10, 6, 59), NewYork, At(2024, 3, 10, 1, 59)},
        {At(2024, 3, 10, 7, 0), NewYork, At(2024, 3, 10, 3, 0)},
        {At(2024, 10, 27, 0, 59), Amsterdam, At(2024, 10, 27, 2, 59)},
        {At(2024, 10, 27, 1, 0), Amsterdam, At(2024, 10, 27, 2, 0)},
        {At(2024, 4, 6, 13, 59), Auckland, At(2024, 4, 7, 2, 59)},
        {At(2024, 4, 6, 14, 0), Auckland, At(2024, 4, 7, 2, 0)},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(WorldCityTime(c.city, c.utc), c.local, 1e-9)
            << WorldCities()[c.city].name << " " << FormatDate("yyyy-mm-dd hh:nn", c.utc);
}

TEST(WorldClock, OutOfRangeGivesUtcBack) {
    EXPECT_EQ(WorldCityTime(kWorldCityCount, 45000.25), 45000.25);
}

// --- Texts ---------------------------------------------------------------------------------

TEST(TimePageTexts, SiderealTimeWrapsIntoOneDay) {
    const DateTime j2000 = At(2000, 1, 1, 12, 0);     // GMST 18h 41m 50.5s (Meeus)
    const DateTime april1987 = At(1987, 4, 10, 0, 0); // GMST 13h 10m 46.4s (Meeus 12.a)
    const struct {
        DateTime utc;
        double longitude;
        const char* text;
    } cases[] = {
        {j2000, 0, " 18:41:50"},
        {j2000, 90, " 00:41:50"}, // beyond a day
        {april1987, 0, " 13:10:46"},
        {april1987, -270, " 19:10:46"}, // negative: back from midnight
        {At(1500, 1, 1, 0, 0), 0, " "}, // outside the engine's years
    };
    for (const auto& c : cases)
        EXPECT_EQ(SiderealPanelText(c.utc, c.longitude), QLatin1String(c.text)) << c.longitude;
}

TEST(TimePageTexts, JulianDateAndAdjustment) {
    EXPECT_EQ(JulianDatePanelText(At(2000, 1, 1, 12, 0), u'.'), QStringLiteral(" 2451545.00000"));
    EXPECT_EQ(JulianDatePanelText(At(2024, 12, 25, 18, 0), u','), QStringLiteral(" 2460670,25000"));
    EXPECT_EQ(TimeAdjustText(false, 0.25 / 86400, u'.'),
              QStringLiteral("Time Difference:  0.250 Seconds"));
    EXPECT_EQ(TimeAdjustText(true, -1.5 / 86400, u','),
              QStringLiteral("PC Clock Adjusted:  -1,500 Seconds"));
    EXPECT_EQ(TimeAdjustText(false, -0.0001 / 86400, u'.'),
              QStringLiteral("Time Difference:  0.000 Seconds"));
    EXPECT_EQ(TimeServerSetting(QStringLiteral("  time.nist.gov ")),
              QStringLiteral("time.nist.gov"));
    EXPECT_EQ(TimeServerSetting(QString(200, u'a')).size(), 128);
}

TEST(TimePageTexts, TimeServerListHas125SortedDistinctHosts) {
    const QStringList& hosts = TimeServerHosts();
    EXPECT_EQ(hosts.size(), 125);
    EXPECT_TRUE(std::is_sorted(hosts.begin(), hosts.end()));
    EXPECT_EQ(std::adjacent_find(hosts.begin(), hosts.end()), hosts.end());
    for (const QString& host : hosts)
        EXPECT_TRUE(host.contains(u'.') && !host.contains(u' ')) << host.toStdString();
}

// --- Page ----------------------------------------------------------------------------------

class TimePageTest : public ::testing::Test {
protected:
    void makePage() {
        page = std::make_unique<TimePage>(settings);
        page->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        page->setDateFormat("dddd, mmmm d, yyyy", EnglishDateLocale());
    }
    template <typename T = QLabel> T* control(const char* name) {
        T* found = page->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) { return control(name)->text(); }

    Settings settings;
    std::unique_ptr<TimePage> page;
};

TEST_F(TimePageTest, EveryTickFillsThePanels) {
    makePage();
    const DateTime local = At(2024, 12, 25, 15, 7, 42);
    const DateTime utc = local + 5 / 24.0;
    page->refreshTimePage(local, utc, QStringLiteral("EST"), TimeFormats::infoWindow(false));
    EXPECT_EQ(text("LocTimeLabel"), QStringLiteral(" EST"));
    EXPECT_EQ(text("LocTimePanel"), QStringLiteral(" 03:07:42  PM   Wednesday, December 25, 2024"));
    EXPECT_EQ(text("UTCTimePanel"), QStringLiteral(" 08:07:42  PM   Wednesday, December 25, 2024"));
    EXPECT_EQ(page->localTimePanelText(), text("LocTimePanel"));
    EXPECT_EQ(page->greenwichTimePanelText(), text("UTCTimePanel"));
    EXPECT_EQ(text("UTCTimeLabel"), QStringLiteral(" Greenwich Time (GMT = UTC)"));
    EXPECT_EQ(text("SiderealTimeLabel"), QStringLiteral(" Local Apparent Sidereal Time"));
    EXPECT_EQ(text("JulianDateLabel"), QStringLiteral(" Julian Date"));
    EXPECT_EQ(text("JulianDatePanel"), JulianDatePanelText(utc, u'.'));
    EXPECT_EQ(page->siderealTimeText(), SiderealPanelText(utc, 0)); // longitude 0: Greenwich
    EXPECT_EQ(text("CityTime1"), QStringLiteral(" 10:07:42  AM   Wednesday, December 25, 2024"));
    EXPECT_EQ(text("CityTime7"), QStringLiteral(" 09:07:42  AM   Thursday, December 26, 2024"));

    page->refreshTimePage(local, utc, QStringLiteral("EST"), TimeFormats::infoWindow(true));
    EXPECT_EQ(text("LocTimePanel"), QStringLiteral(" 15:07:42  Wednesday, December 25, 2024"));
}

TEST_F(TimePageTest, SiderealPanelFollowsTheLongitude) {
    settings.Longitude = -74.006;
    makePage();
    const DateTime utc = At(2000, 1, 1, 12, 0);
    page->refreshTimePage(utc, utc, QString(), TimeFormats::infoWindow(true));
    EXPECT_EQ(text("SiderealTimePanel"), QStringLiteral(" 13:45:49"));
}

TEST_F(TimePageTest, ControlsStartFromTheSettingsAndWriteThem) {
    settings.UpdateClockOnStartup = true;
    settings.TimeServer = QStringLiteral("ptbtime1.ptb.de");
    makePage();
    auto* server = control<QComboBox>("TimeServerBox");
    EXPECT_EQ(server->currentText(), QStringLiteral("ptbtime1.ptb.de"));
    EXPECT_EQ(server->count(), 125);
    EXPECT_TRUE(control<QLineEdit>("TimeStampEd")->isReadOnly());
    EXPECT_TRUE(text("AdjustLab").isEmpty()); // no synchronisation yet

    const struct {
        const char* name;
        bool Settings::*setting;
    } boxes[] = {{"UpdateClock", &Settings::UpdateClock},
                 {"UpdateClockOnStartup", &Settings::UpdateClockOnStartup},
                 {"UpdateClockPerScheduleBox", &Settings::UpdateClockPerSchedule}};
    for (const auto& b : boxes) {
        auto* box = control<QCheckBox>(b.name);
        EXPECT_EQ(box->isChecked(), settings.*b.setting) << b.name;
        box->click();
        EXPECT_EQ(box->isChecked(), settings.*b.setting) << b.name;
        EXPECT_EQ(settings.*b.setting, b.setting != &Settings::UpdateClockOnStartup) << b.name;
    }

    server->setEditText(QStringLiteral(" time.cloudflare.com "));
    EXPECT_EQ(page->timeServerText(), QStringLiteral("time.cloudflare.com"));
    EXPECT_EQ(settings.TimeServer, QStringLiteral("ptbtime1.ptb.de")); // stored by the window
}

TEST_F(TimePageTest, MinutesBoxTakesOnly1To1440) {
    makePage();
    auto* minutes = control<QSpinBox>("UpdateClockMinutesEd");
    EXPECT_EQ(minutes->value(), 60);
    const struct {
        int entered;
        int stored;
    } cases[] = {{0, 60}, {2000, 60}, {1441, 60}, {-5, 60}, {1, 1}, {1440, 1440}, {30, 30}};
    for (const auto& c : cases) {
        settings.UpdateClockMinutes = 60;
        minutes->setValue(60);
        minutes->setValue(c.entered);
        EXPECT_EQ(settings.UpdateClockMinutes, c.stored) << c.entered;
        EXPECT_EQ(minutes->value(), c.stored) << c.entered; // a refused entry is undone
    }
    // Typed digit by digit: the steps on the way (2, 20, 200) are never stored.
    minutes->setValue(60);
    minutes->clear();
    QTest::keyClicks(minutes, QStringLiteral("2000"));
    QTest::keyClick(minutes, Qt::Key_Return);
    EXPECT_EQ(settings.UpdateClockMinutes, 60);
}

TEST_F(TimePageTest, ButtonsAskTheWindow) {
    makePage();
    QSignalSpy synchronise(page.get(), &TimePage::synchroniseRequested);
    QSignalSpy worldClock(page.get(), &TimePage::worldClockRequested);
    auto* getTime = control<QPushButton>("GetInternetTimeBut");
    EXPECT_EQ(getTime->text(), QStringLiteral("Get Time"));
    EXPECT_EQ(getTime->toolTip(), QStringLiteral("Get Time from Internet"));
    getTime->click();
    control<QComboBox>("TimeServerBox")->lineEdit()->setFocus();
    QTest::keyClick(control<QComboBox>("TimeServerBox")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(synchronise.count(), 2);
    control<QPushButton>("WorldClockBut")->click();
    ASSERT_EQ(worldClock.count(), 1);
    EXPECT_EQ(worldClock.at(0).at(0).toUrl().path(), QStringLiteral("/worldclock/"));
}

TEST_F(TimePageTest, ResultOfATimeQuery) {
    settings.LastTimeStamp = At(2024, 12, 25, 15, 7, 42);
    settings.LastTimeAdjust = -1.5 / 86400;
    makePage(); // the last clock setting shows at once
    EXPECT_EQ(text("AdjustLab"), QStringLiteral("PC Clock Adjusted:  -1.500 Seconds"));
    EXPECT_FALSE(control<QLineEdit>("TimeStampEd")->text().isEmpty());

    page->UpdateInternetTimeDisplay(false, 0.25 / 86400, At(2024, 12, 26, 9, 5, 7));
    EXPECT_EQ(text("AdjustLab"), QStringLiteral("Time Difference:  0.250 Seconds"));
    EXPECT_EQ(control<QLineEdit>("TimeStampEd")->text(), QStringLiteral("12/26/24 9:05:07 AM"));
}

TEST_F(TimePageTest, FitsTheInformationWindow) {
    makePage();
    const DateTime local = At(2024, 9, 25, 15, 7, 42); // a long weekday and month
    page->refreshTimePage(local, local + 0.25, QStringLiteral("Eastern Daylight Time"),
                          TimeFormats::infoWindow(false));
    const QSize need = page->minimumSizeHint();
    EXPECT_LE(need.width(), 726);
    EXPECT_LE(need.height(), 620);
}

} // namespace
} // namespace skelvane
