#include "infowin/radar_page.h"

#include "app/animation_timer.h"
#include "app/settings.h"
#include "fixture_http_server.h"
#include "infowin/radar_map_view.h"
#include "net/decode/radar_direction_panel.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/radar_views.h"
#include "net/download_state.h"
#include "support/fake_clock.h"
#include "support/qstring_printer.h"
#include "support/scoped_zone.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

using namespace std::chrono_literals;
using fixture::FixtureHttpServer;

constexpr int kOkxView = 120;

QString ColourOf(const QLabel* label) {
    return label->styleSheet();
}

QString Css(int r, int g, int b) {
    return QStringLiteral("color: %1;").arg(QColor(r, g, b).name());
}

class RadarPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.listening()) << server.error();
        const QString host = QString::fromStdString(server.server());
        settings.RadarServer = settings.RadarServerAlternative1 = settings.RadarServerAlternative2 =
            host;
        settings.Latitude = 40.7128;
        settings.Longitude = -74.006;
        HttpLimits limits;
        limits.connect = 2s;
        limits.stall = 2s;
        downloads.setLimits(limits);
        QObject::connect(&downloads, &DownloadState::firewallNotice, [this] { ++notices; });
    }
    void makePage() {
        page = std::make_unique<RadarPage>(settings, clock, timer, downloads);
        page->setMosaicFrameWait(0);
        page->resize(734, 640);
        page->show();
    }
    void fetch() {
        page->GetRadarButClick();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !page->busy(); }, 20000))
            << "the download did not end";
    }
    template <typename T> T* control(const QString& name) {
        T* found = page->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLabel* label(const char* name) { return control<QLabel>(QLatin1String(name)); }

    test::ScopedZone zone{"EST5EDT,M3.2.0,M11.1.0"};
    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Settings settings;
    // Five minutes after the demo tree's newest frame (2024-09-15 17:25 UTC), in New York.
    test::FakeClock clock{SafeEncodeDateTime(2024, 9, 15, 13, 30, 0, 0), -4};
    AnimationTimer timer;
    DownloadState downloads{settings};
    std::unique_ptr<RadarPage> page;
    int notices = 0;
};

TEST_F(RadarPageTest, ControlsCarryTheirTextsAndStartFromTheSettings) {
    settings.CountiesBoxChecked = false;
    settings.AnimateRadar = true;
    settings.LoopRadar = false;
    settings.SpeedUpDownPosition = 99;
    settings.StateMaxImages = 12;
    makePage();
    const struct {
        const char* name;
        const char* text;
    } buttons[] = {{"GetRadarBut", "Get Radar"}, {"MainUSABut", "USA Map"},
                   {"ZoomBut", "Zoom In"},       {"NextRadarImageBut", "FWD"},
                   {"PrevRadarImageBut", "REV"}, {"LoopRadarBut", "LOOP"}};
    for (const auto& b : buttons)
        EXPECT_EQ(control<QPushButton>(QLatin1String(b.name))->text(), QLatin1String(b.text));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("NextRadarImageBut"))->toolTip(),
              QStringLiteral("Next Radar Image"));
    EXPECT_EQ(control<QPushButton>(QStringLiteral("PrevRadarImageBut"))->toolTip(),
              QStringLiteral("Previous Radar Image"));
    const struct {
        const char* name;
        const char* text;
        bool checked;
    } boxes[] = {{"TopoBox", "Topo", true},
                 {"RadarBox", "Radar", true},
                 {"CountiesBox", "Counties", false},
                 {"RiversBox", "Rivers", true},
                 {"HighwaysBox", "Highways", true},
                 {"CitiesBox", "Cities", true},
                 {"WarningsBox", "Warnings", true},
                 {"RangeRingBox", "Range Ring", true},
                 {"LegendBox", "Legend", true},
                 {"WarningsTextBox", "Warn Text", true},
                 {"AnimateRadarBox", "Animate", true},
                 {"RepeatRadarBox", "Repeat", true},
                 {"ShowSitesBox", "Tiny Circles", true}};
    for (const auto& b : boxes) {
        auto* box = control<QCheckBox>(QLatin1String(b.name));
        EXPECT_EQ(box->text(), QLatin1String(b.text));
        EXPECT_EQ(box->isChecked(), b.checked) << b.name;
    }
    auto* location = control<QComboBox>(QStringLiteral("RadarLocationBox"));
    EXPECT_EQ(location->count(), 169);
    EXPECT_EQ(location->currentIndex(), kOkxView);
    EXPECT_EQ(location->currentText(), QStringLiteral(" NY - New York City"));
    auto* product = control<QComboBox>(QStringLiteral("RadarReflectivityBox"));
    EXPECT_EQ(product->count(), 7);
    EXPECT_EQ(product->currentText(), QStringLiteral("Reflectivity - Short Range"));
    EXPECT_EQ(control<QSpinBox>(QStringLiteral("MaxImagesUpDown"))->value(), 12);
    EXPECT_EQ(control<QSpinBox>(QStringLiteral("SpeedUpDown"))->value(), 99);
    EXPECT_EQ(timer.interval(), 130) << "the speed applies once the control is used";
    for (int i = 1; i <= 4; ++i) {
        QLabel* warning = label(QStringLiteral("WarningLab%1").arg(i).toLatin1().constData());
        EXPECT_TRUE(warning->text().isEmpty());
        EXPECT_TRUE(warning->isHidden());
        EXPECT_EQ(warning->font().pixelSize(), 32);
        EXPECT_TRUE(warning->font().bold());
        EXPECT_EQ(warning->pos(), QPoint(8, 14 + 45 * (i - 1)));
    }
    EXPECT_EQ(control<QLabel>(QStringLiteral("RadarInfoLab"))->text(),
              QStringLiteral("Radar Info"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("GroundClutterLab"))->text(),
              QStringLiteral("Clutter Info"));
    EXPECT_EQ(label("SiteNameLab")->text(), QStringLiteral("NY - New York City"));

    page->SpeedUpDown->setValue(25);
    EXPECT_EQ(timer.interval(), 565);
    EXPECT_EQ(settings.SpeedUpDownPosition, 25);
}

TEST_F(RadarPageTest, ASiteShowsItsNewestFrameTimeAndWarningLabelsInOrder) {
    makePage();
    fetch();
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(page->Image6->picture().size(), QSize(600, 550));
    EXPECT_EQ(page->Image6->picture(), page->frame(9));
    EXPECT_TRUE(page->frame(0).isNull()) << "without Animate only the newest frame";
    EXPECT_EQ(label("LastRadarLab1")->text(),
              QStringLiteral("NY - New York City     6  mins ago at 1:25 PM   (09/15/2024 17:25 "
                             "UTC )"));
    EXPECT_EQ(ColourOf(label("LastRadarLab1")), Css(0, 0, 0));
    const struct {
        const char* name;
        const char* text;
        QString colour;
    } rows[] = {{"WarningLab1", "TORNADO WARNING", Css(255, 0, 0)},
                {"WarningLab2", "Severe Weather Warning", Css(255, 165, 0)},
                {"WarningLab3", "Flash Flood Warning", Css(139, 0, 0)}};
    for (const auto& row : rows) {
        EXPECT_EQ(label(row.name)->text(), QLatin1String(row.text));
        EXPECT_EQ(ColourOf(label(row.name)), row.colour) << row.name;
        EXPECT_TRUE(label(row.name)->isVisible()) << row.name;
    }
    EXPECT_TRUE(label("WarningLab4")->text().isEmpty());
    EXPECT_FALSE(label("WarningLab4")->isVisible());
    EXPECT_EQ(settings.StateMaxImages, 10);
    EXPECT_FALSE(page->animationGifReady());

    page->WarningsTextBox->click();
    EXPECT_FALSE(label("WarningLab1")->isVisible());
    page->WarningsTextBox->click();
    EXPECT_TRUE(label("WarningLab1")->isVisible());

    // The tick ages the label with a single blank after the name.
    clock.advanceSeconds(120);
    page->refreshTimeLabel();
    EXPECT_TRUE(label("LastRadarLab1")
                    ->text()
                    .startsWith(QStringLiteral("NY - New York City   8  mins ago")))
        << label("LastRadarLab1")->text().toStdString();
}

TEST_F(RadarPageTest, AnAnimationPlaysOnTheSharedTimerAndTheWarningsShowOnTheNewestFrame) {
    settings.AnimateRadar = true;
    makePage();
    fetch();
    ASSERT_TRUE(page->animation().framesReady());
    EXPECT_TRUE(timer.isRunning(AnimationTimer::Animation::Radar));
    EXPECT_TRUE(page->animationGifReady());
    EXPECT_EQ(page->animationGif().frameCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(page->frame(i).isNull()) << i;

    // Ten frames, then six ticks holding the newest.
    QStringList numbers;
    for (int tick = 0; tick < 17; ++tick) {
        page->animateStep();
        numbers << page->RadarImageNumLab->text();
        const bool newest = numbers.back() == QStringLiteral("10");
        EXPECT_EQ(page->WarningLab[0]->isVisible(), newest) << tick;
        if (tick < 10) {
            EXPECT_EQ(page->Image6->picture(), page->frame(tick)) << tick;
        }
    }
    EXPECT_EQ(numbers.join(QLatin1Char(',')),
              QStringLiteral(" 1, 2, 3, 4, 5, 6, 7, 8, 9,10,10,10,10,10,10,10, 1"));

    // Leaving the page stops the step; coming back starts it again.
    page->RadarSheetExit();
    EXPECT_FALSE(timer.isRunning(AnimationTimer::Animation::Radar));
    page->animateStep();
    EXPECT_EQ(page->RadarImageNumLab->text(), QStringLiteral(" 1"));
    page->RadarSheetEnter();
    EXPECT_TRUE(timer.isRunning(AnimationTimer::Animation::Radar));

    // FWD while playing unchecks Animate and shows the newest frame; FWD again shows the
    // first; REV from the first shows the newest.
    page->NextRadarImageBut->click();
    EXPECT_FALSE(page->AnimateRadarBox->isChecked());
    EXPECT_FALSE(settings.AnimateRadar);
    EXPECT_EQ(page->RadarImageNumLab->text(), QStringLiteral("10"));
    page->NextRadarImageBut->click();
    EXPECT_EQ(page->RadarImageNumLab->text(), QStringLiteral(" 1"));
    EXPECT_EQ(page->Image6->picture(), page->frame(0));
    page->PrevRadarImageBut->click();
    EXPECT_EQ(page->RadarImageNumLab->text(), QStringLiteral("10"));
    // While stepping by hand the tick leaves the label alone.
    const QString before = page->LastRadarLab1->text();
    clock.advanceSeconds(600);
    page->refreshTimeLabel();
    EXPECT_EQ(page->LastRadarLab1->text(), before);

    // A download without Animate leaves the kept animation as it was.
    page->GetRadarButClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page->busy(); }, 20000));
    EXPECT_EQ(page->animationGif().frameCount(), 10);
    EXPECT_FALSE(page->animation().framesReady());
}

TEST_F(RadarPageTest, ZoomDoublesASiteAndScrollsToItsCentreButNeverTheLargeMap) {
    makePage();
    page->ZoomButClick();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page->busy(); }, 20000));
    EXPECT_EQ(page->zoom(), 2.0);
    EXPECT_EQ(page->ZoomBut->text(), QStringLiteral("Zoom Out"));
    EXPECT_EQ(page->Image6->picture().size(), QSize(1200, 1100));
    EXPECT_EQ(page->RadarScrollBox->horizontalScrollBar()->value(), 300);
    EXPECT_EQ(page->RadarScrollBox->verticalScrollBar()->value(), 275);

    page->RadarLocationBox->setCurrentIndex(kRadarUsaLargeView);
    page->RadarLocationBoxSelect(kRadarUsaLargeView);
    server.clearRequests();
    page->ZoomButClick();
    EXPECT_EQ(page->zoom(), 2.0) << "view 1: nothing";
    EXPECT_TRUE(server.requests().empty());
    EXPECT_FALSE(page->ZoomBut->isVisibleTo(page.get()));

    // Fetching the large map sets the zoom back to 1.
    fetch();
    EXPECT_EQ(page->zoom(), 1.0);
    EXPECT_EQ(page->Image6->picture().size(), QSize(3400, 1600));
    EXPECT_EQ(page->ZoomBut->text(), QStringLiteral("Zoom In"));
}

TEST_F(RadarPageTest, AMosaicLoopFillsItsFramesAndKeepsTheServersFile) {
    settings.AnimateRadar = true;
    settings.RadarLocationBoxIndex = 2;
    makePage();
    EXPECT_FALSE(page->RadarBox->isVisibleTo(page.get())) << "no layer boxes for mosaics";
    fetch();
    EXPECT_EQ(page->Image6->picture().size(), QSize(600, 571));
    EXPECT_EQ(page->animation().frameCount(), 8);
    EXPECT_EQ(settings.NationalMaxImages, 8);
    EXPECT_TRUE(page->animation().framesReady());
    EXPECT_TRUE(
        page->LastRadarLab1->text().startsWith(QStringLiteral("USA - NorthEast     1  mins ago")))
        << page->LastRadarLab1->text().toStdString();
    QFile served(QStringLiteral(SKELVANE_DEMO_DATA "/Conus/Loop/northeast_loop.gif"));
    ASSERT_TRUE(served.open(QIODevice::ReadOnly));
    EXPECT_EQ(page->animationGif().bytes(), served.readAll());
    EXPECT_EQ(server.requests().back().path, "/Conus/Loop/northeast_loop.gif");
}

TEST_F(RadarPageTest, DirectionButtonsFollowTheViewAndMoveToTheirSite) {
    makePage();
    const struct {
        int view;
        bool panel;
    } rows[] = {{kOkxView, true}, {58, true}, {14, true}, {0, false}, {1, false}, {57, false}};
    for (const auto& row : rows) {
        page->RadarLocationBox->setCurrentIndex(row.view);
        page->RadarLocationBoxSelect(row.view);
        // The panel is laid out when a download is prepared.
        server.setPrefixRule("/", fixture::FixtureRule::errorPage(404));
        fetch();
        server.clearRules();
        const RadarDirectionPanel expected = SetupRadarDirectionPanel(row.view, 1);
        EXPECT_EQ(page->RadarButPanel->isVisibleTo(page.get()), row.panel) << row.view;
        for (int d = 0; d < 8; ++d) {
            EXPECT_EQ(page->RadBut[d]->isVisibleTo(page->RadarButPanel),
                      expected.buttons[d].visible)
                << row.view << " button " << d + 1;
            if (expected.buttons[d].visible) {
                EXPECT_EQ(page->RadBut[d]->toolTip().toStdString(), expected.buttons[d].hint);
            }
        }
    }
    // From Kohala, north is Molokai.
    page->RadarLocationBox->setCurrentIndex(58);
    page->RadarLocationBoxSelect(58);
    page->QuadButClick(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page->busy(); }, 20000));
    EXPECT_EQ(settings.RadarLocationBoxIndex, 59);
    EXPECT_EQ(page->RadarLocationBox->currentIndex(), 59);
}

TEST_F(RadarPageTest, TheMapNamesTheNearestSiteMeasuresDistancesAndMovesOnAClick) {
    makePage();
    fetch();
    const RadarGeometry geometry = GetScaleLonLat(kOkxView, 1);
    const MapPixel dix = LonLatToXY(-74.4107, 39.9470, geometry, 1.0);

    page->Image6MouseMove(QPoint(dix.x, dix.y));
    EXPECT_EQ(page->SiteNameLab->text(), QStringLiteral(" PA - Philadelphia"));
    EXPECT_EQ(page->Image6->hintText(), QStringLiteral(" PA - Philadelphia"));
    EXPECT_TRUE(page->LatLab[1]->text().startsWith(QStringLiteral("39.9")));
    // The hint stays put for a pixel's move and comes back after two.
    page->LeftClickGroupClick(0);
    EXPECT_TRUE(page->Image6->hintText().isEmpty());
    page->Image6MouseMove(QPoint(dix.x + 1, dix.y - 1));
    EXPECT_TRUE(page->Image6->hintText().isEmpty());
    page->Image6MouseMove(QPoint(dix.x + 2, dix.y));
    EXPECT_EQ(page->Image6->hintText(), QStringLiteral(" PA - Philadelphia"));

    // Distance: two clicks on one point blank the labels; two apart measure.
    page->DistanceRadio->click();
    EXPECT_EQ(settings.LeftClickGroupIndex, 1);
    page->Image6MouseDown(Qt::LeftButton, QPoint(100, 100));
    page->Image6MouseDown(Qt::LeftButton, QPoint(100, 100));
    EXPECT_TRUE(page->MilesLab->text().isEmpty());
    EXPECT_TRUE(page->KMLab->text().isEmpty());
    page->Image6MouseDown(Qt::LeftButton, QPoint(100, 100));
    page->Image6MouseDown(Qt::LeftButton, QPoint(400, 100));
    EXPECT_TRUE(page->MilesLab->text().endsWith(QStringLiteral(" Miles")));
    EXPECT_TRUE(page->KMLab->text().endsWith(QStringLiteral(" Kilometers")));
    EXPECT_EQ(page->Image6->hintText(),
              page->MilesLab->text() + QStringLiteral(" = ") + page->KMLab->text());

    // Move Radar: a click fetches the nearest site.
    page->MoveRadarRadio->click();
    page->Image6MouseDown(Qt::RightButton, QPoint(dix.x, dix.y));
    EXPECT_EQ(settings.RadarLocationBoxIndex, kOkxView) << "the right button does nothing";
    page->Image6MouseDown(Qt::LeftButton, QPoint(dix.x, dix.y));
    EXPECT_EQ(settings.RadarLocationBoxIndex, 130);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !page->busy(); }, 20000));
    EXPECT_EQ(page->SiteNameLab->text(), QStringLiteral("PA - Philadelphia"));
}

TEST_F(RadarPageTest, NothingAnsweringLeavesTheLoadingTextAndOneNotice) {
    const QString closed = QStringLiteral("127.0.0.1:%1").arg(fixture::ClosedLoopbackPort());
    settings.RadarServer = settings.RadarServerAlternative1 = settings.RadarServerAlternative2 =
        closed;
    makePage();
    fetch();
    fetch();
    EXPECT_EQ(page->LastRadarLab1->text(), QStringLiteral("Loading Radar  NY - New York City"));
    EXPECT_EQ(ColourOf(page->LastRadarLab1), Css(255, 0, 0));
    EXPECT_EQ(notices, 1);
    EXPECT_TRUE(page->isEnabled());
    EXPECT_EQ(page->Image6->picture().pixel(300, 275), qRgb(0, 0, 0));
}

} // namespace
} // namespace skelvane
