#include "net/radar_site_download.h"

#include "fixture_http_server.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/radar_paths.h"
#include "net/decode/radar_views.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace skelvane {
namespace {

using namespace std::chrono_literals;
using fixture::ClosedLoopbackPort;
using fixture::FixtureHttpServer;
using fixture::FixtureRule;

constexpr int kOkxView = 120;
constexpr int kDixView = 130;
constexpr int kAnchorageView = 14;
// The cities layer of the demo tree marks each place with a 3 × 3 square of this colour
// centred on its pixel (tools/demo-radar).
constexpr QRgb kCityMark = qRgb(255, 255, 160);

// Every hand-over of a run, in order, with the pictures it was given.
struct Recorder final : RadarSiteObserver {
    void PrepRadar() override { events.push_back("prep"); }
    void FrameCountFixed(int count) override { events.push_back("count " + std::to_string(count)); }
    void ActiveHostChanged(RadarHost host) override {
        events.push_back("host " + std::to_string(static_cast<int>(host)));
    }
    void FrameListsRead(const RadarFrameLists&) override { events.push_back("lists"); }
    void ConnectionRefused() override { ++refusals; }
    void AnimationCleared() override { events.push_back("cleared"); }
    void FrameLoading(int index) override { events.push_back("loading " + std::to_string(index)); }
    void ShowRadarFrame(int index, const RadarComposedFrame& frame) override {
        events.push_back("show " + std::to_string(index));
        shown.push_back(index);
        pictures.push_back(frame.picture);
    }
    void DownloadSucceeded(const RadarSiteOutcome&) override { events.push_back("succeeded"); }
    void DownloadEnded(const RadarSiteOutcome&) override { events.push_back("ended"); }

    std::vector<std::string> events;
    std::vector<int> shown;
    std::vector<QImage> pictures;
    int refusals = 0;
};

std::string Closed() {
    return "127.0.0.1:" + std::to_string(ClosedLoopbackPort());
}

class RadarSiteDownloadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listening()) << server.error(); }

    RadarSiteRequest request(int view, int productEntry, bool animate) const {
        RadarSiteRequest r;
        r.view = view;
        r.productEntry = productEntry;
        r.product = std::string(GetRadarType(productEntry));
        r.site = RadarSiteIdUpper(view);
        r.animate = animate;
        r.desiredFrames = 10;
        r.tinyCircles = false;
        r.servers = {server.server(), server.server(), server.server()};
        return r;
    }
    RadarSiteOutcome run(const RadarSiteRequest& r) {
        HttpLimits limits;
        limits.connect = 2s;
        limits.stall = 2s;
        HttpClient client(RadarClientOptions(limits));
        return RunRadarSiteDownload(r, client, recorder);
    }
    std::vector<std::string> paths() const {
        std::vector<std::string> asked;
        for (const fixture::FixtureRequestRecord& record : server.requests())
            asked.push_back(record.path);
        return asked;
    }
    int asked(const std::string& prefix) const {
        const std::vector<std::string> all = paths();
        return static_cast<int>(std::count_if(
            all.begin(), all.end(), [&](const std::string& p) { return p.rfind(prefix, 0) == 0; }));
    }

    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    Recorder recorder;
};

TEST_F(RadarSiteDownloadTest, AnAnimatedDownloadComposesEveryFrameInItsOrder) {
    const RadarSiteOutcome outcome = run(request(kOkxView, 1, true));

    std::vector<std::string> expected = {"prep", "count 10", "host 0", "lists", "cleared"};
    for (int i = 0; i < 10; ++i) {
        expected.push_back("loading " + std::to_string(i));
        expected.push_back("show " + std::to_string(i));
    }
    expected.push_back("succeeded");
    expected.push_back("ended");
    EXPECT_EQ(recorder.events, expected);
    EXPECT_TRUE(outcome.successful);
    EXPECT_EQ(outcome.product, "N0R");
    ASSERT_EQ(outcome.lists.radar.size(), 10u);
    EXPECT_EQ(outcome.lists.radar.front(), "OKX_20240915_1640_N0R.gif") << "the newest ten";
    EXPECT_EQ(outcome.lists.radar.back(), "OKX_20240915_1725_N0R.gif");
    EXPECT_EQ(outcome.lists.warnings.back(), "OKX_20240915_1725_Short_Warnings.gif");
    EXPECT_EQ(outcome.lists.legend.back(), "OKX_20240915_1725_N0R_Legend.gif");
    for (const QImage& picture : recorder.pictures)
        EXPECT_EQ(picture.size(), QSize(600, 550));
    EXPECT_NE(recorder.pictures.front(), recorder.pictures.back()) << "the echoes move";

    // The overlays first, once, from the regional server; then the three lists; then each
    // frame's radar, warnings and legend.
    const std::vector<std::string> all = paths();
    ASSERT_GE(all.size(), 9u + 30u);
    EXPECT_EQ(all[0], "/ridge/Overlays/Topo/Short/OKX_Topo_Short.jpg");
    EXPECT_EQ(all[5], "/ridge/Overlays/RangeRings/Short/OKX_RangeRing_Short.gif");
    EXPECT_EQ(all[6], "/ridge/RadarImg/N0R/OKX/");
    EXPECT_EQ(all[7], "/ridge/Legend/N0R/OKX/");
    EXPECT_EQ(all[8], "/ridge/Warnings/Short/OKX/");
    EXPECT_EQ(all[9], "/ridge/RadarImg/N0R/OKX/OKX_20240915_1640_N0R.gif");
    EXPECT_EQ(all[10], "/ridge/Warnings/Short/OKX/OKX_20240915_1640_Short_Warnings.gif");
    EXPECT_EQ(all[11], "/ridge/Legend/N0R/OKX/OKX_20240915_1640_N0R_Legend.gif");
    EXPECT_EQ(all.size(), 9u + 30u);

    // Only the newest frame's warnings count: tornado from frame 20 of the tree's 30, flash
    // flood from frame 25, severe weather throughout, no extreme weather.
    EXPECT_TRUE(outcome.warnings.tornado);
    EXPECT_TRUE(outcome.warnings.severeWeather);
    EXPECT_TRUE(outcome.warnings.flashFlood);
    EXPECT_FALSE(outcome.warnings.extremeWeather);
}

TEST_F(RadarSiteDownloadTest, WithoutAnimateOnlyTheNewestFrameIsFetchedAndComposed) {
    const RadarSiteOutcome outcome = run(request(kOkxView, 1, false));
    EXPECT_EQ(recorder.shown, std::vector<int>{9});
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "cleared"), 0)
        << "the animation GIF is left alone";
    EXPECT_EQ(asked("/ridge/RadarImg/N0R/OKX/OKX_"), 1);
    EXPECT_EQ(asked("/ridge/RadarImg/N0R/OKX/OKX_20240915_1725"), 1);
    EXPECT_EQ(asked("/ridge/Legend/N0R/OKX/OKX_"), 1);
    EXPECT_EQ(asked("/ridge/Warnings/Short/OKX/OKX_"), 1);
    EXPECT_TRUE(outcome.successful);
}

TEST_F(RadarSiteDownloadTest, TheLongRangeProductFollowsTheHostThePreviousDownloadEndedOn) {
    const struct {
        RadarHost previous;
        const char* product;
    } rows[] = {{RadarHost::Regional, "NOZ"},
                {RadarHost::Alternative1, "N0Z"},
                {RadarHost::Alternative2, "N0Z"}};
    for (const auto& row : rows) {
        server.clearRequests();
        RadarSiteRequest r = request(kOkxView, 0, false);
        r.activeHost = row.previous;
        const RadarSiteOutcome outcome = run(r);
        EXPECT_EQ(outcome.product, row.product);
        EXPECT_EQ(asked(std::string("/ridge/RadarImg/") + row.product + "/OKX/"), 2)
            << "the page and the newest frame";
        EXPECT_EQ(asked("/ridge/Overlays/RangeRings/"), 0) << "no range rings for Long";
        EXPECT_EQ(asked("/ridge/Warnings/Long/OKX/"), 2);
        EXPECT_TRUE(outcome.successful) << row.product;
        EXPECT_EQ(outcome.activeHost, RadarHost::Regional) << "the chain starts again";
    }
}

TEST_F(RadarSiteDownloadTest, AFailingRegionalServerMovesTheFrameListsAlongTheChain) {
    // The regional server answers everything but the frame list; the first alternative is
    // closed; the second answers.
    FixtureHttpServer regional{SKELVANE_DEMO_DATA};
    regional.setRule("/ridge/RadarImg/NOZ/OKX/", FixtureRule::errorPage(503));
    RadarSiteRequest first = request(kOkxView, 0, false);
    first.servers = {regional.server(), Closed(), server.server()};
    const RadarSiteOutcome failedOver = run(first);
    EXPECT_EQ(failedOver.activeHost, RadarHost::Alternative2);
    EXPECT_EQ(failedOver.product, "NOZ");
    EXPECT_EQ(regional.requests().size(), 5u + 1u) << "five Long overlays and the list";
    EXPECT_EQ(asked("/ridge/RadarImg/NOZ/OKX/"), 2) << "the list and the newest frame";
    EXPECT_EQ(asked("/ridge/Legend/NOZ/OKX/"), 2) << "from the host that answered";
    EXPECT_TRUE(failedOver.successful);

    // The next long-range download asks for N0Z, along the whole chain again.
    regional.clearRequests();
    server.clearRequests();
    RadarSiteRequest second = first;
    second.activeHost = failedOver.activeHost;
    const RadarSiteOutcome next = run(second);
    EXPECT_EQ(next.product, "N0Z");
    ASSERT_GE(regional.requests().size(), 6u);
    EXPECT_EQ(regional.requests()[5].path, "/ridge/RadarImg/N0Z/OKX/");
    EXPECT_EQ(next.activeHost, RadarHost::Regional) << "the regional server has N0Z";
    EXPECT_TRUE(next.successful);
}

TEST_F(RadarSiteDownloadTest, AListWithFewerEntriesThanFramesGivesNoFramesFromIt) {
    server.setRule("/ridge/RadarImg/N0R/OKX/",
                   FixtureRule::exactBody("<a href=\"OKX_20240915_1720_N0R.gif\">x</a>\n"
                                          "<a href=\"OKX_20240915_1725_N0R.gif\">y</a>\n",
                                          "text/html"));
    const RadarSiteOutcome outcome = run(request(kOkxView, 1, true));
    EXPECT_FALSE(outcome.lists.radarRead);
    EXPECT_TRUE(outcome.lists.radar.empty());
    EXPECT_EQ(asked("/ridge/RadarImg/N0R/OKX/"), 3) << "each host of the chain once";
    EXPECT_EQ(outcome.activeHost, RadarHost::Alternative2);
    EXPECT_EQ(asked("/ridge/RadarImg/N0R/OKX/OKX_"), 0);
    // The legend's list still gives the frames.
    EXPECT_TRUE(outcome.lists.legendRead);
    EXPECT_EQ(recorder.shown.size(), 10u);
    EXPECT_FALSE(outcome.layersLoaded[static_cast<std::size_t>(RadarLayer::Radar)]);
}

TEST_F(RadarSiteDownloadTest, AFrameWhoseOwnLayersAllFailIsStillComposedOverTheOverlays) {
    for (const char* prefix : {"/ridge/RadarImg/N0R/OKX/OKX_", "/ridge/Warnings/Short/OKX/OKX_",
                               "/ridge/Legend/N0R/OKX/OKX_"})
        server.setPrefixRule(prefix, FixtureRule::errorPage(500));
    const RadarSiteOutcome outcome = run(request(kOkxView, 1, false));
    EXPECT_EQ(recorder.shown, std::vector<int>{9});
    EXPECT_TRUE(outcome.successful);
    EXPECT_EQ(asked("/ridge/RadarImg/N0R/OKX/OKX_"), 2) << "one retry";
    EXPECT_EQ(asked("/ridge/Warnings/Short/OKX/OKX_"), 2);
    EXPECT_EQ(asked("/ridge/Legend/N0R/OKX/OKX_"), 2);
    EXPECT_TRUE(outcome.layersLoaded[static_cast<std::size_t>(RadarLayer::Topo)]);
    EXPECT_FALSE(outcome.layersLoaded[static_cast<std::size_t>(RadarLayer::Radar)]);
}

TEST_F(RadarSiteDownloadTest, AnOverlayThatFailsOnceIsTriedOnceMore) {
    FixtureRule once = FixtureRule::errorPage(500);
    once.times = 1;
    server.setRule("/ridge/Overlays/County/Short/OKX_County_Short.gif", once);
    server.setRule("/ridge/Overlays/Rivers/Short/OKX_Rivers_Short.gif",
                   FixtureRule::htmlPage()); // never a GIF
    const RadarSiteOutcome outcome = run(request(kOkxView, 1, false));
    EXPECT_EQ(asked("/ridge/Overlays/County/"), 2);
    EXPECT_EQ(asked("/ridge/Overlays/Rivers/"), 2);
    EXPECT_TRUE(outcome.layersLoaded[static_cast<std::size_t>(RadarLayer::Counties)]);
    EXPECT_FALSE(outcome.layersLoaded[static_cast<std::size_t>(RadarLayer::Rivers)]);
}

TEST_F(RadarSiteDownloadTest, UncheckedLayersAreNeverAsked) {
    RadarSiteRequest r = request(kOkxView, 1, false);
    r.layers = {};
    r.layers.topo = r.layers.counties = r.layers.rivers = r.layers.highways = false;
    r.layers.legend = r.layers.warnings = false;
    r.layers.warnText = true; // the warnings are still read for the labels
    const RadarSiteOutcome outcome = run(r);
    EXPECT_EQ(asked("/ridge/Overlays/"), 2) << "cities and range ring";
    EXPECT_EQ(asked("/ridge/Legend/"), 0);
    EXPECT_EQ(asked("/ridge/Warnings/Short/OKX/"), 2);
    EXPECT_TRUE(outcome.warnings.tornado);
    // Read, not drawn: the tornado area's red is nowhere in the picture.
    ASSERT_EQ(recorder.pictures.size(), 1u);
    const QImage& picture = recorder.pictures.front();
    bool red = false;
    for (int y = 0; y < picture.height() && !red; ++y)
        for (int x = 0; x < picture.width() && !red; ++x)
            red = picture.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_FALSE(red);
}

TEST_F(RadarSiteDownloadTest, NothingAnsweringGivesNoPictureAndTheRefusal) {
    RadarSiteRequest r = request(kOkxView, 1, true);
    r.servers = {Closed(), Closed(), Closed()};
    const RadarSiteOutcome outcome = run(r);
    EXPECT_FALSE(outcome.radarShown);
    EXPECT_FALSE(outcome.successful);
    EXPECT_TRUE(outcome.refused);
    EXPECT_GE(recorder.refusals, 1);
    EXPECT_TRUE(recorder.shown.empty());
    EXPECT_EQ(recorder.events.back(), "ended");
    EXPECT_EQ(std::count(recorder.events.begin(), recorder.events.end(), "succeeded"), 0);
}

TEST_F(RadarSiteDownloadTest, CityMarksLieWhereTheGeometryPutsThem) {
    const struct {
        int view;
        int productEntry;
        const char* place;
        double latitude, longitude;
    } rows[] = {
        {kOkxView, 1, "New York", 40.7128, -74.0060},
        {kOkxView, 0, "New York", 40.7128, -74.0060},
        {kDixView, 1, "Philadelphia", 39.9526, -75.1652},
        {kAnchorageView, 0, "Anchorage", 61.2181, -149.9003},
        {kAnchorageView, 1, "Kenai", 60.5544, -151.2583},
    };
    for (const auto& row : rows) {
        recorder = {};
        RadarSiteRequest r = request(row.view, row.productEntry, false);
        r.layers.warnings = r.layers.rangeRing = r.layers.legend = false;
        r.layers.warnText = false;
        run(r);
        ASSERT_EQ(recorder.pictures.size(), 1u) << row.place;
        const QImage& picture = recorder.pictures.front();
        const MapPixel expected = LonLatToXY(row.longitude, row.latitude,
                                             GetScaleLonLat(row.view, row.productEntry), 1.0);
        // The centre of the mark's pixels within 6 pixels of where the place should be.
        double sumX = 0, sumY = 0;
        int count = 0;
        for (int y = expected.y - 6; y <= expected.y + 6; ++y)
            for (int x = expected.x - 6; x <= expected.x + 6; ++x)
                if (picture.valid(x, y) && picture.pixel(x, y) == kCityMark) {
                    sumX += x;
                    sumY += y;
                    ++count;
                }
        ASSERT_GT(count, 0) << row.place << " has no mark near " << expected.x << "," << expected.y;
        EXPECT_NEAR(sumX / count, expected.x, 1.0) << row.place;
        EXPECT_NEAR(sumY / count, expected.y, 1.0) << row.place;
    }
}

TEST_F(RadarSiteDownloadTest, ZoomDoublesThePictureAndTinyCirclesMarkTheSites) {
    RadarSiteRequest r = request(kOkxView, 1, false);
    r.zoom = 2.0;
    r.tinyCircles = true;
    r.homeLatitude = 40.0;
    r.homeLongitude = -73.0;
    run(r);
    ASSERT_EQ(recorder.pictures.size(), 1u);
    const QImage& picture = recorder.pictures.front();
    EXPECT_EQ(picture.size(), QSize(1200, 1100));
    const RadarGeometry geometry = GetScaleLonLat(kOkxView, 1);
    const LonLat okx = RadarViewCentre(kOkxView, 1);
    const MapPixel site = LonLatToXY(okx.longitude, okx.latitude, geometry, 2.0);
    EXPECT_EQ(site.x, 600);
    EXPECT_EQ(site.y, 550);
    EXPECT_EQ(picture.pixel(site.x, site.y), qRgb(255, 251, 240)) << "the site's circle";
    const MapPixel home = LonLatToXY(-73.0, 40.0, geometry, 2.0);
    EXPECT_EQ(picture.pixel(home.x, home.y), qRgb(0, 255, 255)) << "the home mark";
}

} // namespace
} // namespace skelvane
