#include "infowin/settings2_page.h"

#include "app/settings.h"
#include "app/settings_store.h"
#include "clockwin/clock_window.h"
#include "clockwin/tray_icon.h"
#include "startup/window_services.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace skelvane {
namespace {

TEST(Settings2Rules, WeatherServerTextMustLookLikeAHostName) {
    const struct {
        QString text;
        std::optional<QString> stored;
    } cases[] = {
        {QStringLiteral("tgftp.nws.noaa.gov"), QStringLiteral("tgftp.nws.noaa.gov")},
        {QStringLiteral("abc.de"), QStringLiteral("abc.de")},
        {QStringLiteral("ab.cd"), std::nullopt}, // 5 characters
        {QStringLiteral("localhost"), std::nullopt},
        {QString(), std::nullopt},
        {QStringLiteral("a.") + QString(200, u'b'), QStringLiteral("a.") + QString(126, u'b')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WeatherServerFromText(c.text), c.stored) << c.text.toStdString();
}

TEST(Settings2Rules, SatelliteServerTakesAHostWithAnOptionalPort) {
    const struct {
        QString text;
        std::optional<QString> stored;
    } cases[] = {
        {QStringLiteral("www.goes.noaa.gov"), QStringLiteral("www.goes.noaa.gov")},
        {QStringLiteral(" 127.0.0.1:8089 "), QStringLiteral("127.0.0.1:8089")},
        {QStringLiteral("[::1]:80"), QStringLiteral("[::1]:80")},
        {QStringLiteral("localhost"), QStringLiteral("localhost")},
        {QStringLiteral("http://www.goes.noaa.gov/"), std::nullopt},
        {QStringLiteral("host:99999"), std::nullopt},
        {QStringLiteral("two words"), std::nullopt},
        {QString(), std::nullopt},
        {QString(129, u'a'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SatelliteServerFromText(c.text), c.stored) << c.text.toStdString();
}

TEST(Settings2Rules, ProxyPortTakesWholeNumbersAndEmpty) {
    const struct {
        const char* text;
        std::optional<int> port;
    } cases[] = {{"8080", 8080}, {" 3128 ", 3128}, {"", 0},    {"0", 0},    {"abc", {}},
                 {"80a", {}},    {"70000", {}},    {"-1", {}}, {"1.5", {}}, {"99999999999", {}}};
    for (const auto& c : cases)
        EXPECT_EQ(ProxyPortFromText(QLatin1String(c.text)), c.port) << c.text;
}

TEST(Settings2Rules, RadarServerTextMustBeAHostWithAnOptionalPort) {
    const struct {
        QString text;
        std::optional<QString> stored;
    } cases[] = {
        {QStringLiteral("radar.weather.gov"), QStringLiteral("radar.weather.gov")},
        {QStringLiteral(" 127.0.0.1:8089 "), QStringLiteral("127.0.0.1:8089")},
        {QStringLiteral("localhost"), QStringLiteral("localhost")},
        {QStringLiteral("[::1]:80"), QStringLiteral("[::1]:80")},
        {QStringLiteral("radar.weather.gov:"), std::nullopt}, // half typed
        {QStringLiteral("host:70000"), std::nullopt},
        {QStringLiteral("http://radar.weather.gov"), std::nullopt},
        {QStringLiteral("radar.weather.gov/ridge"), std::nullopt},
        {QStringLiteral("two words"), std::nullopt},
        {QString(), std::nullopt},
        {QString(129, u'a'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RadarServerFromText(c.text), c.stored) << c.text.toStdString();
}

class Settings2PageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    void makePage() {
        form = std::make_unique<TForm1>(settings, store, clock, TForm1::Options{true});
        form->setProcessEnder([] {});
        services = std::make_unique<WindowServices>(*form, settings, clock);
        adapter = std::make_unique<ClockWindowAdapter>(*form);
        page = std::make_unique<Settings2Page>(settings, *adapter,
                                               services->pageServices().commands.settingsToggles);
    }
    template <typename T> T* control(const QString& name) {
        T* found = page->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    template <typename T> T* control(const char* name) { return control<T>(QLatin1String(name)); }
    QRadioButton* trayChoice(int i) {
        return control<QRadioButton>(QStringLiteral("TrayIconGroupItem%1").arg(i));
    }

    QTemporaryDir folder;
    SettingsStore store{folder.path()};
    Settings settings;
    test::FakeClock clock{SafeEncodeDateTime(2024, 12, 25, 15, 7, 42, 0)};
    std::unique_ptr<TForm1> form;
    std::unique_ptr<WindowServices> services;
    std::unique_ptr<ClockWindowAdapter> adapter;
    std::unique_ptr<Settings2Page> page;
};

TEST_F(Settings2PageTest, CheckBoxesShareTheClockWindowsSettingsActions) {
    makePage();
    const ClockActions& a = form->actions();
    const struct {
        QAction* action;
        bool Settings::*setting;
        const char* caption;
    } cases[] = {
        {a.ToggleMinimizeToTray1, &Settings::MinimizeToTrayOn, "Minimize To Tray"},
        {a.ToggleShowHolidays1, &Settings::ShowHolidays, "Show Holidays"},
        {a.ToggleShowTinyMoons1, &Settings::ShowTinyMoons, "Show Tiny Moons"},
        {a.ToggleStartMinimized1, &Settings::StartMinimized, "Start Minimized"},
        {a.RunWhenWindowsStartsAction, &Settings::RunWhenWindowsStarts, "Run When Windows  Starts"},
        {a.ToggleSaveOnExit1, &Settings::SaveOnExit, "Save Settings On Exit"},
    };
    for (const auto& c : cases) {
        auto* box = control<QCheckBox>(c.action->objectName() + QStringLiteral("Box"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QLatin1String(c.caption));
        const bool before = settings.*c.setting;
        EXPECT_EQ(box->isChecked(), before) << c.caption;

        box->click(); // the page's box runs the action
        EXPECT_EQ(settings.*c.setting, !before) << c.caption;
        EXPECT_EQ(c.action->isChecked(), !before) << c.caption;
        EXPECT_EQ(box->isChecked(), !before) << c.caption;

        c.action->trigger(); // the clock window's menu item
        EXPECT_EQ(settings.*c.setting, before) << c.caption;
        EXPECT_EQ(box->isChecked(), before) << c.caption;
    }
}

TEST_F(Settings2PageTest, TheSatelliteServerBoxShowsAndStoresTheSetting) {
    settings.SatelliteServer = QStringLiteral("127.0.0.1:8089");
    makePage();
    auto* server = control<QLineEdit>("SatelliteServerEd");
    EXPECT_EQ(server->text(), QStringLiteral("127.0.0.1:8089"));
    server->clear();
    QTest::keyClicks(server, QStringLiteral("sat.example.org:81"));
    EXPECT_EQ(settings.SatelliteServer, QStringLiteral("sat.example.org:81"));
    QTest::keyClicks(server, QStringLiteral("/x"));
    EXPECT_EQ(settings.SatelliteServer, QStringLiteral("sat.example.org:81"));
}

TEST_F(Settings2PageTest, ProxyFieldsEnabledOnlyWithUseProxyAndPasswordMasked) {
    settings.ProxyPort = 8080;
    makePage();
    auto* use = control<QCheckBox>("UseProxyServerBox");
    const char* fields[] = {"ProxyServerEd", "ProxyServerPortEd", "ProxyUserNameEd",
                            "ProxyPasswordEd"};
    for (const char* name : fields)
        EXPECT_FALSE(control<QLineEdit>(name)->isEnabled()) << name;
    use->click();
    EXPECT_TRUE(settings.UseProxyServer);
    for (const char* name : fields)
        EXPECT_TRUE(control<QLineEdit>(name)->isEnabled()) << name;

    auto* password = control<QLineEdit>("ProxyPasswordEd");
    QTest::keyClicks(password, QStringLiteral("secret"));
    EXPECT_EQ(settings.ProxyPassword, QStringLiteral("secret"));
    EXPECT_EQ(password->displayText(), QStringLiteral("******"));

    auto* port = control<QLineEdit>("ProxyServerPortEd");
    EXPECT_EQ(port->text(), QStringLiteral("8080"));
    port->setText(QStringLiteral("80x"));
    EXPECT_EQ(settings.ProxyPort, 8080);
    port->setText(QString());
    EXPECT_EQ(settings.ProxyPort, 0);
    control<QLineEdit>("ProxyServerEd")->setText(QStringLiteral("proxy.example.org"));
    EXPECT_EQ(settings.ProxyServer, QStringLiteral("proxy.example.org"));

    use->click();
    EXPECT_FALSE(settings.UseProxyServer);
    for (const char* name : fields)
        EXPECT_FALSE(control<QLineEdit>(name)->isEnabled()) << name;
}

TEST_F(Settings2PageTest, WeatherServerScheduleAndUnits) {
    makePage();
    auto* server = control<QComboBox>("WeatherServerComboBox");
    EXPECT_EQ(server->currentText(), QStringLiteral("tgftp.nws.noaa.gov"));
    server->setEditText(QStringLiteral("a.b"));
    EXPECT_EQ(settings.WeatherServer, QStringLiteral("tgftp.nws.noaa.gov"));
    server->setEditText(QStringLiteral("reports.example.org"));
    EXPECT_EQ(settings.WeatherServer, QStringLiteral("reports.example.org"));

    auto* minutes = control<QSpinBox>("UpdateWeatherMinutesEd");
    for (const int refused : {0, 2000}) {
        minutes->setValue(refused);
        EXPECT_EQ(settings.UpdateWeatherMinutes, 20) << refused;
        EXPECT_EQ(page->weatherMinutes(), 20) << refused;
    }
    minutes->setValue(45);
    EXPECT_EQ(settings.UpdateWeatherMinutes, 45);
    EXPECT_EQ(page->weatherMinutes(), 45);
    control<QCheckBox>("UpdateWeatherPerScheduleBox")->click();
    EXPECT_FALSE(settings.UpdateWeatherPerSchedule);
    control<QCheckBox>("UpdateWeatherOnStartup")->click();
    EXPECT_FALSE(settings.UpdateWeatherOnStartup);

    QSignalSpy unitsChanged(page.get(), &Settings2Page::temperatureUnitsChanged);
    EXPECT_TRUE(control<QRadioButton>("FahrenheitRadio")->isChecked());
    control<QRadioButton>("CelsiusRadio")->click();
    EXPECT_EQ(settings.TemperatureUnits, u'C');
    control<QRadioButton>("FahrenheitRadio")->click();
    EXPECT_EQ(settings.TemperatureUnits, u'F');
    EXPECT_EQ(unitsChanged.count(), 2);
}

TEST_F(Settings2PageTest, RadarServersShowAndStoreTheirHosts) {
    settings.RadarServerAlternative1 = QStringLiteral("127.0.0.1:8089");
    makePage();
    const struct {
        const char* box;
        QString Settings::*setting;
        const char* shown;
    } rows[] = {
        {"RadarServerEd", &Settings::RadarServer, "radar.weather.gov"},
        {"RadarServerAlternative1Ed", &Settings::RadarServerAlternative1, "127.0.0.1:8089"},
        {"RadarServerAlternative2Ed", &Settings::RadarServerAlternative2, "radar.weather.gov"},
    };
    for (const auto& row : rows) {
        auto* box = control<QLineEdit>(row.box);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QLatin1String(row.shown)) << row.box;
        const QString before = settings.*row.setting;
        box->setText(QStringLiteral("radar.example.org:"));
        EXPECT_EQ(settings.*row.setting, before) << row.box << ": a half-typed port is kept out";
        box->setText(QStringLiteral("radar.example.org:8080"));
        EXPECT_EQ(settings.*row.setting, QStringLiteral("radar.example.org:8080")) << row.box;
    }
}

TEST_F(Settings2PageTest, TrayGroupDrivesTheTrayIconAndFollowsIt) {
    settings.TrayType = u'M';
    makePage();
    MoonTrayIcon* tray = form->TrayIcon;
    EXPECT_TRUE(trayChoice(2)->isChecked());

    trayChoice(3)->click();
    EXPECT_EQ(settings.TrayType, u'A');
    EXPECT_TRUE(tray->animate());
    EXPECT_TRUE(tray->TrayAnimation1->isChecked());

    tray->TrayMoon1->trigger(); // the clock window's tray menu
    EXPECT_EQ(settings.TrayType, u'M');
    EXPECT_TRUE(trayChoice(2)->isChecked());

    trayChoice(0)->click();
    EXPECT_EQ(settings.TrayType, u'N');
    EXPECT_FALSE(tray->active());

    settings.TrayType = u'M'; // changed behind the page's back
    page->FormShow();
    EXPECT_TRUE(trayChoice(2)->isChecked());
    EXPECT_TRUE(tray->active());
}

TEST_F(Settings2PageTest, ColourBoxesStoreBothColoursAndKeepUnknownOnes) {
    settings.TrayColorsInit = false;
    settings.TrayForeColor = 0x030201; // not in the list
    makePage();
    auto* fore = control<QComboBox>("ForeColorBox");
    auto* back = control<QComboBox>("BackColorBox");
    EXPECT_EQ(fore->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(fore->currentData().toInt(), 0x030201);
    EXPECT_EQ(back->currentText(), QStringLiteral("Button Face"));
    page->FormShow();
    EXPECT_EQ(settings.TrayForeColor, 0x030201); // showing never changes a colour
    EXPECT_EQ(fore->findText(QStringLiteral("Custom")), 0);
    EXPECT_EQ(fore->count(), back->count() + 1);

    fore->setCurrentIndex(fore->findText(QStringLiteral("Red")));
    EXPECT_EQ(settings.TrayForeColor, 0x0000FF); // red in the low byte
    back->setCurrentIndex(back->findText(QStringLiteral("Navy")));
    EXPECT_EQ(settings.TrayBackColor, 0x800000);

    auto* transparent = control<QCheckBox>("TrayBackTransparentBox");
    EXPECT_TRUE(transparent->isChecked());
    transparent->click();
    EXPECT_FALSE(settings.TrayBackTransparent);
}

TEST_F(Settings2PageTest, FitsTheSetSheet) {
    makePage();
    const QSize need = page->minimumSizeHint();
    EXPECT_LE(need.width(), 720);
    EXPECT_LE(need.height(), 600);
}

} // namespace
} // namespace skelvane
