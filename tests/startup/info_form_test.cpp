#include "infowin/info_form.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "clockwin/clock_window.h"
#include "clockwin/month_calendar.h"
#include "infowin/about_page.h"
#include "infowin/image_export.h"
#include "infowin/map_location_group.h"
#include "startup/window_services.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"
#include "support/test_environment.h"
#include "widgets/link_label.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace skelvane {
namespace {

using test::FakeClock;

class InfoFormTest : public ::testing::Test {
protected:
    std::optional<test::ScopedZone> zone;
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        zone.reset();
        zone.emplace("EST5EDT,M3.2.0,M11.1.0");
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        settings.PlaceName = QStringLiteral("New York, NY");
        settings.ShowInfoFormAtStartup = false;
        settings.LastInfoFormTabIndex = 0;
    }
    void TearDown() override {
        info.reset();
        form.reset();
        zone.reset();
    }
    void makeWindows() {
        form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        form->setProcessEnder([] {});
        info = std::make_unique<TInfoForm>(servicesFor(*form).pageServices());
        form->setInfoWindow(info.get());
        form->UpdateDisplays();
    }

    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    Settings settings;
    FakeClock clock{SafeEncodeDateTime(2024, 12, 25, 15, 7, 42, 0)};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<WindowServices> services;
    std::unique_ptr<TInfoForm> info;

    WindowServices& servicesFor(TForm1& clockWindow) {
        services = std::make_unique<WindowServices>(clockWindow, settings, clock);
        return *services;
    }
};

TEST_F(InfoFormTest, HasThirteenPagesInOrderAndTwoSettingsSubPages) {
    makeWindows();
    const char* names[] = {"MoonSheet",      "PlanetSheet", "WeatherSheet", "RadarSheet",
                           "SatelliteSheet", "TimeSheet",   "SetSheet",     "YearSheet",
                           "ToolSheet",      "GraphSheet",  "HolidaySheet", "TabSheet1",
                           "AboutSheet"};
    // " Radar" and " Set" keep their leading blank.
    const char* captions[] = {"Moon", "Planet", "Weather", " Radar",  "Satellite", "Time", " Set",
                              "Year", "Tools",  "Graph",   "Holiday", "Maps",      "About"};
    ASSERT_EQ(info->InfoFormPageControl->count(), 13);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(info->InfoFormPageControl->widget(i)->objectName(), QLatin1String(names[i]));
        EXPECT_EQ(info->InfoFormPageControl->tabText(i), QLatin1String(captions[i]));
    }
    EXPECT_EQ(info->SetSheetPageControl->tabText(0), QStringLiteral("Settings1"));
    EXPECT_EQ(info->SetSheetPageControl->tabText(1), QStringLiteral("Settings2"));
    EXPECT_EQ(info->InfoFormPageControl->tabBar()->focusPolicy(), Qt::NoFocus);
}

TEST_F(InfoFormTest, ShownAtStartTheFirstTickStillComesAtOnce) {
    settings.ShowInfoFormAtStartup = true;
    makeWindows();
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(form->Timer1->interval(), 10) << "the first tick waits 10 ms, not a second";
    form->Timer1Timer();
    EXPECT_EQ(form->Timer1->interval(), 1000);
    info->hide();
    info->show(); // shown again later (back from the tray): the normal second
    EXPECT_EQ(form->Timer1->interval(), 1000);
}

TEST_F(InfoFormTest, StartsFromTheStoredGeometryAndPages) {
    // Within the offscreen platform's 800 x 800 screen.
    settings.InfoFormLeft = 60;
    settings.InfoFormTop = 20;
    settings.InfoFormWidth = 700;
    settings.InfoFormHeight = 560;
    settings.LastInfoFormTabIndex = 10;
    settings.LastSetSheetTabIndex = 1;
    makeWindows();
    EXPECT_FALSE(info->isVisible()) << "ShowInfoFormAtStartup is off";
    EXPECT_EQ(info->pos(), QPoint(60, 20));
    EXPECT_EQ(info->size(), QSize(700, 560));
    EXPECT_EQ(info->pageIndex(), 10);
    EXPECT_EQ(info->setSheetIndex(), 1);

    settings.InfoFormWidth = 100; // too small: the minimum size wins
    settings.InfoFormHeight = 50;
    info.reset();
    info = std::make_unique<TInfoForm>(servicesFor(*form).pageServices());
    form->setInfoWindow(info.get());
    EXPECT_EQ(info->size(), QSize(400, 300));
}

TEST_F(InfoFormTest, StoredGeometryOffTheScreensComesBackOntoThem) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        int left, top, width, height;
    } cases[] = {
        {"wider than any screen", 260, 0, 32767, 730},
        {"entirely off to the right", 5000, 80, 700, 500},
        {"entirely above and left", -32768, -32768, 700, 500},
        {"hanging off the bottom", 60, screen.bottom() - 50, 700, 500},
    };
    makeWindows();
    for (const auto& c : cases) {
        settings.InfoFormLeft = c.left;
        settings.InfoFormTop = c.top;
        settings.InfoFormWidth = c.width;
        settings.InfoFormHeight = c.height;
        info.reset();
        info = std::make_unique<TInfoForm>(servicesFor(*form).pageServices());
        form->setInfoWindow(info.get());
        EXPECT_TRUE(screen.contains(info->geometry())) << c.name;
        EXPECT_GE(info->width(), 400) << c.name;
        EXPECT_GE(info->height(), 300) << c.name;
    }
}

TEST_F(InfoFormTest, AFailedSaveOfTheSettingsIsToldOnceInTheWeatherMemo) {
    makeWindows();
    auto* memo = info->findChild<QPlainTextEdit*>(QStringLiteral("WeatherMemo2"));
    ASSERT_NE(memo, nullptr);
    ASSERT_TRUE(store.SaveIniFile(settings));
    {
        // The location page's "Save" and "Save ALL", each a forced save, on a full disk.
        const test::ScopedFileSizeLimit full(64);
        EXPECT_FALSE(store.ForcedSave(settings));
        EXPECT_FALSE(store.ForcedSave(settings));
    }
    const QString expected = store.lastSaveError();
    EXPECT_TRUE(expected.startsWith(QStringLiteral("Settings could not be saved to ")))
        << expected.toStdString();
    EXPECT_EQ(memo->toPlainText().count(expected), 1) << memo->toPlainText().toStdString();
}

TEST_F(InfoFormTest, PageCommandsToggleTheWindowOnTheirPage) {
    makeWindows();
    // Hidden: the command shows the window on its page.
    form->actions().ShowMoonSheetAction1->trigger();
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->pageIndex(), 0);
    // Showing on that page: the same command closes it; again opens it on that page.
    form->actions().ShowMoonSheetAction1->trigger();
    EXPECT_FALSE(info->isVisible());
    form->actions().ShowMoonSheetAction1->trigger();
    EXPECT_TRUE(info->isVisible());
    // Showing on another page: the command switches.
    form->actions().ShowAboutSheetAction1->trigger();
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->pageIndex(), 12);
    // The Set command also selects the first sub-page.
    info->SetSheetPageControl->setCurrentIndex(1);
    form->actions().ShowSetSheetAction1->trigger();
    EXPECT_EQ(info->pageIndex(), 6);
    EXPECT_EQ(info->setSheetIndex(), 0);
    // Info toggles on whatever page it was.
    form->actions().ToggleInfoFormAction1->trigger();
    EXPECT_FALSE(info->isVisible());
    form->actions().ToggleInfoFormAction1->trigger();
    EXPECT_TRUE(info->isVisible());
    EXPECT_EQ(info->pageIndex(), 6);
}

TEST_F(InfoFormTest, SizeActionsAndDeactivationRecordTheGeometry) {
    makeWindows();
    info->show();
    info->SizeMinimumAction1Execute();
    EXPECT_EQ(info->size(), QSize(540, 480));
    info->SizeDefaultAction1Execute();
    EXPECT_EQ(info->size(), QSize(660, 752));
    info->move(33, 44);
    info->InfoFormPageControl->setCurrentIndex(9);
    info->FormDeactivate();
    EXPECT_EQ(settings.InfoFormLeft, 33);
    EXPECT_EQ(settings.InfoFormTop, 44);
    EXPECT_EQ(settings.InfoFormWidth, 660);
    EXPECT_EQ(settings.InfoFormHeight, 752);
    EXPECT_FALSE(settings.InfoFormMaximized);
    EXPECT_EQ(settings.LastInfoFormTabIndex, 9);
}

TEST_F(InfoFormTest, RefreshFillsTheStatusBarForTheCalendarDate) {
    makeWindows();
    info->show();
    const QString long0 = info->statusPanels[0]->text();
    EXPECT_TRUE(long0.contains(QStringLiteral("December")) &&
                long0.contains(QStringLiteral("2024")))
        << long0.toStdString();
    EXPECT_EQ(info->statusPanels[1]->text(), QStringLiteral("Day: 360"));
    EXPECT_EQ(info->statusPanels[2]->text(), QStringLiteral("Week: 52"));
    EXPECT_TRUE(info->statusPanels[3]->text().contains(QStringLiteral("Kislev")))
        << info->statusPanels[3]->text().toStdString();

    // The Moon page names the place its times are for.
    EXPECT_EQ(info->findChild<QLabel*>(QStringLiteral("LocationPlaceLab"))->text(),
              QStringLiteral("New York, NY"));
    EXPECT_TRUE(info->findChild<QLabel*>(QStringLiteral("LocationLatitudeLab"))
                    ->text()
                    .endsWith(QString::fromUtf8("North   40.71280°")));

    form->actions().GoToNextDay1->trigger();
    EXPECT_EQ(info->statusPanels[1]->text(), QStringLiteral("Day: 361"));
    EXPECT_EQ(info->graphGroupCaption(), QStringLiteral(" Thu  December 26, 2024 "));
}

TEST_F(InfoFormTest, YearPageFollowsTheClockWindowFrom1756On) {
    makeWindows();
    form->setCalendarDate(SafeEncodeDate(1650, 7, 9));
    EXPECT_EQ(info->yearCalendarDate(), SafeEncodeDate(1756, 7, 9));
    form->setCalendarDate(SafeEncodeDate(2024, 12, 25));
    EXPECT_EQ(info->yearCalendarDate(), SafeEncodeDate(2024, 12, 25));
    EXPECT_EQ(info->weekNumbersChecked(), settings.ShowWeekNumbers);
}

TEST_F(InfoFormTest, AboutPageCarriesTheBuildVersionOrTheFallback) {
    makeWindows();
    EXPECT_EQ(ProductLine(QStringLiteral("2.0.0")), QStringLiteral("Skelvane v2.0.0"));
    EXPECT_EQ(ProductLine(QString()), QStringLiteral("Skelvane v2.0"));
    EXPECT_TRUE(info->productLine().startsWith(QStringLiteral("Skelvane v")));
    EXPECT_GT(info->productLine().size(), 10);
}

TEST_F(InfoFormTest, SavingAPlaceMovesTheClockWindowsSunTimesAtOnce) {
    settings.Latitude = 51.5; // London, until the user picks another place
    settings.Longitude = -0.12;
    settings.PlaceName = QStringLiteral("London");
    settings.SaveOnExit = false;
    makeWindows();
    EXPECT_EQ(info->mapLocationGroup()->lineText(0), QStringLiteral("London"))
        << "the saved place at start";
    info->ShowPage(kSetSheet); // the first showing loads the shipped place list
    auto* sunrise = form->findChild<QLabel*>(QStringLiteral("SunriseLabel"));
    const QString londonSunrise = sunrise->text();

    auto* zip = info->findChild<QLineEdit*>(QStringLiteral("ZipEd"));
    auto* find = info->findChild<QPushButton*>(QStringLiteral("FindZipBut"));
    auto* save = info->findChild<QPushButton*>(QStringLiteral("SaveLocationOnlyBut"));
    ASSERT_TRUE(zip && find && save);
    zip->setText(QStringLiteral("10001"));
    find->click();
    save->click();

    EXPECT_NEAR(settings.Latitude, 40.75, 0.1) << "New York's postal code 10001";
    EXPECT_TRUE(info->mapLocationGroup()->lineText(1).contains(QStringLiteral("North   40.7")))
        << "the Maps page follows the picked place";
    EXPECT_NE(sunrise->text(), londonSunrise) << "the clock follows the saved place at once";
    QSettings stored(store.activePath(), QSettings::IniFormat);
    EXPECT_NEAR(stored.value(QStringLiteral("Settings/Latitude")).toDouble(), 40.75, 0.1)
        << "saved even with Save Settings On Exit off";
}

TEST_F(InfoFormTest, TheFourPicturePagesCopySaveAndPrintThroughOneSetOfCommands) {
    makeWindows();
    const struct {
        int page;
        const char* buttons[3];
    } rows[] = {
        {kRadarSheet, {"CopyRadarBut", "SaveRadarBut", "PrintRadarBut"}},
        {kSatelliteSheet, {"CopySatelliteBut", "SaveSatelliteBut", "PrintSatelliteBut"}},
        {kYearSheet, {"CopyCalendarBut", "SaveCalendarBut", "PrintCalendarBut"}},
        {kGraphSheet, {"CopyGraphBut", "SaveGraphBut", "PrintGraphBut"}},
    };
    const char* captions[3] = {"Copy", "Save", "Print"};
    for (const auto& row : rows) {
        QWidget* page = info->InfoFormPageControl->widget(row.page);
        for (int i = 0; i < 3; ++i) {
            auto* button = page->findChild<QPushButton*>(QLatin1String(row.buttons[i]));
            ASSERT_NE(button, nullptr) << row.buttons[i];
            EXPECT_EQ(button->text(), QLatin1String(captions[i])) << row.buttons[i];
        }
    }
    QStringList items;
    for (QAction* action : info->imageExport()->ImagePopupMenu()->actions())
        items << action->text();
    EXPECT_EQ(items.join(QLatin1Char(',')), QStringLiteral("Copy,Save as File,Print"));
    for (const char* picture : {"Image6", "Image7", "SatPanel", "PaintBox"}) {
        auto* widget = info->findChild<QWidget*>(QLatin1String(picture));
        ASSERT_NE(widget, nullptr) << picture;
        EXPECT_EQ(widget->contextMenuPolicy(), Qt::CustomContextMenu) << picture;
    }
    EXPECT_EQ(info->findChild<QLineEdit*>(QStringLiteral("CityStateZipEd"))->contextMenuPolicy(),
              Qt::CustomContextMenu)
        << "the text-edit menu";

    // The Graph page's Copy puts the graph on the clipboard; on the Time page Copy does nothing.
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    info->InfoFormPageControl->setCurrentIndex(kTimeSheet);
    info->imageExport()->CopyToClipboard2Click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());
    info->InfoFormPageControl->setCurrentIndex(kGraphSheet);
    info->InfoFormPageControl->widget(kGraphSheet)
        ->findChild<QPushButton*>(QStringLiteral("CopyGraphBut"))
        ->click();
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
    QApplication::clipboard()->clear();
}

TEST(LinkLabelTest, TurnsRedUnderThePointerAndBackToItsColour) {
    for (const QColor& rest : {QColor(0, 0, 128), QColor(0, 0, 255), QColor(0, 0, 0)}) {
        LinkLabel label(QStringLiteral("link"), rest);
        EXPECT_EQ(label.textColor(), rest);
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&label, &enter);
        EXPECT_EQ(label.textColor(), QColor(255, 0, 0));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, &leave);
        EXPECT_EQ(label.textColor(), rest);
    }
}

} // namespace
} // namespace skelvane
