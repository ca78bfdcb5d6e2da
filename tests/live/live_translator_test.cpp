// The translator end to end: the requests the Radar and Satellite pages make of the retired
// hosts, answered through the emulated map servers, warnings feed and satellite CDN on
// 127.0.0.1, with the answers read back by the program's own readers.

#include "app/settings.h"
#include "live_services_emulation.h"
#include "net/curl/curl_transport.h"
#include "net/decode/image_signatures.h"
#include "net/decode/radar_directory.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/radar_paths.h"
#include "net/decode/satellite_frame_list.h"
#include "net/decode/satellite_request.h"
#include "net/decode/weather_warnings.h"
#include "net/gif_decoder.h"
#include "net/live/iso_time.h"
#include "net/live/live_check.h"
#include "net/live/live_setup.h"
#include "net/live/live_sources.h"

#include <QTemporaryDir>
#include <QUrl>
#include <atomic>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace skelvane {
namespace {

using namespace std::chrono_literals;
using fixture::FixtureHttpServer;
using fixture::FixtureRequestRecord;
using fixture::LiveServicesEmulation;

constexpr std::uint32_t kMarkRgb = 0xFF00FF;
constexpr double kMarkLongitude = -73.2, kMarkLatitude = 40.9; // Long Island, inside OKX

// The short-range reflectivity layer of OKX as its capabilities list it: a scan about every
// five minutes, two of them within one minute (15:40), milliseconds on most.
const std::vector<std::string> kOkxTimes{
    "2026-12-01T15:00:07.123Z", "2026-12-01T15:05:09.456Z", "2026-12-01T15:10:11.000Z",
    "2026-12-01T15:15:13.789Z", "2026-12-01T15:20:15.000Z", "2026-12-01T15:25:17.000Z",
    "2026-12-01T15:30:19.000Z", "2026-12-01T15:35:21.000Z", "2026-12-01T15:40:02.000Z",
    "2026-12-01T15:40:55.500Z", "2026-12-01T15:45:25.000Z", "2026-12-01T15:50:27.000Z"};

std::vector<std::string> Times(const char* start, int count, int minutes) {
    std::vector<std::string> times;
    const std::int64_t first = ParseIsoInstant(start).value();
    for (int i = 0; i < count; ++i)
        times.push_back(IsoInstantText(first + i * minutes * 60000LL));
    return times;
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

class LiveTranslatorTest : public ::testing::Test {
protected:
    LiveTranslatorTest() {
        emulation.addLayer("kokx", "kokx_sr_bref", kOkxTimes);
        emulation.addLayer("kokx", "kokx_sr_bvel", Times("2026-12-01T15:01:00Z", 12, 5));
        emulation.addLayer("conus", "conus_bref_qcd", Times("2026-12-01T14:50:00Z", 14, 4));
        emulation.addLayer("alaska", "alaska_bref_qcd", Times("2026-12-01T15:00:00Z", 3, 10));
        emulation.setMark(kMarkLongitude, kMarkLatitude, kMarkRgb);
        std::vector<std::string> stamps;
        for (int minute = 0; minute < 60; minute += 5)
            stamps.push_back("2026335" + std::string(minute < 10 ? "150" : "15") +
                             std::to_string(minute));
        emulation.setCdnStamps(stamps);
        live = makeLive();
    }

    void SetUp() override { ASSERT_TRUE(server.listening()) << server.error(); }

    std::shared_ptr<LiveSources> makeLive(const std::string& extraOverrides = "") {
        LiveSourcesOptions options;
        options.table =
            LiveSourceTable::WithOverrides(emulation.overrides() + ";" + extraOverrides);
        options.cacheFolder = cache.path();
        options.clock = [this] { return now; };
        auto sources = std::make_shared<LiveSources>(std::move(options));
        sources->setStatusHandler([this](const QString& line) { statusLines << line; });
        return sources;
    }

    HttpResult get(const std::string& path, const std::string& host = "radar.weather.gov",
                   LiveSources* sources = nullptr) {
        LiveSources& translator = sources ? *sources : *live;
        HttpRequest request;
        request.url = QString::fromStdString("http://" + host + path);
        request.options.limits.connect = 2s;
        request.options.limits.stall = 2s;
        request.options.limits.maxBody = HttpLimits::kMovieMaxBody;
        EXPECT_TRUE(translator.translates(request.url)) << path;
        return translator.answer(request, upstream, {});
    }

    std::vector<FixtureRequestRecord> requestsTo(std::string_view prefix) const {
        std::vector<FixtureRequestRecord> found;
        for (const FixtureRequestRecord& record : server.requests())
            if (record.path.starts_with(prefix))
                found.push_back(record);
        return found;
    }

    int capabilitiesRequests() const {
        int count = 0;
        for (const FixtureRequestRecord& record : server.requests())
            count += record.param("request") == "GetCapabilities";
        return count;
    }

    FixtureHttpServer server{SKELVANE_DEMO_DATA};
    LiveServicesEmulation emulation{server};
    QTemporaryDir cache;
    std::int64_t now = ParseIsoInstant("2026-12-01T15:52:00Z").value();
    CurlTransport upstream;
    QStringList statusLines;
    std::shared_ptr<LiveSources> live;
};

// Where the mark of the emulated map server shows in a decoded frame: the pixel of the mark
// colour nearest to `expected`, or (-1, -1).
MapPixel FindMark(const QImage& frame, MapPixel expected) {
    for (int radius = 0; radius <= 3; ++radius)
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const int x = expected.x + dx, y = expected.y + dy;
                if (frame.valid(x, y) && (frame.pixel(x, y) & 0xFFFFFF) == kMarkRgb &&
                    qAlpha(frame.pixel(x, y)) == 255)
                    return {x, y};
            }
    return {-1, -1};
}

TEST_F(LiveTranslatorTest, AnOkxAnimatedDownloadsFramesCarryTheMarkAndTheirOwnTimes) {
    const HttpResult page = get("/ridge/RadarImg/N0R/OKX/");
    ASSERT_TRUE(page.ok()) << page.errorText.toStdString();
    const RadarDirectoryListing listing =
        ReadRadarDirectory(View(page.body), RadarFrameKey("OKX"), "", 10);
    ASSERT_TRUE(listing.ok());
    // The newest ten minutes of the layer's times; of the two scans at 15:40 the later.
    const std::vector<std::string> expectedTimes(kOkxTimes.begin() + 1, kOkxTimes.end());
    std::vector<std::string> wanted;
    for (const std::string& time : expectedTimes)
        if (time != "2026-12-01T15:40:02.000Z")
            wanted.push_back("OKX_" + RadarStampText(ParseIsoInstant(time).value()) + "_N0R.gif");
    EXPECT_EQ(listing.names, wanted);

    const RadarGeometry geometry = GetScaleLonLat(120, 1);
    const MapPixel expected = LonLatToXY(kMarkLongitude, kMarkLatitude, geometry, 1.0);
    for (const std::string& name : listing.names) {
        SCOPED_TRACE(name);
        const HttpResult frame = get(*RadarFramePath(RadarFrameDirectory("N0R", "OKX"), name));
        ASSERT_TRUE(frame.ok()) << frame.errorText.toStdString();
        ASSERT_TRUE(CheckGIFSignature(View(frame.body)));
        const QImage picture = GifDecoder().decodeFirstFrame(frame.body);
        ASSERT_EQ(picture.size(), QSize(600, 550));
        const MapPixel mark = FindMark(picture, expected);
        EXPECT_LE(std::abs(mark.x - expected.x), 1) << "mark at " << mark.x << "," << mark.y;
        EXPECT_LE(std::abs(mark.y - expected.y), 1)
            << "expected " << expected.x << "," << expected.y;
        EXPECT_EQ(qAlpha(picture.pixel(5, 5)), 0) << "transparent where the layer is empty";
    }

    // Each GetMap asked for its own frame's exact time, in order, and broke no rule.
    std::vector<std::string> asked;
    for (const FixtureRequestRecord& request : emulation.mapRequests()) {
        asked.push_back(request.param("time"));
        EXPECT_EQ(request.param("width"), "600");
        EXPECT_EQ(request.param("height"), "550");
        EXPECT_EQ(request.param("layers"), "kokx_sr_bref");
    }
    std::vector<std::string> newestPerMinute;
    for (const std::string& time : expectedTimes)
        if (time != "2026-12-01T15:40:02.000Z")
            newestPerMinute.push_back(time);
    EXPECT_EQ(asked, newestPerMinute);
    EXPECT_TRUE(emulation.problems().empty()) << emulation.problems().front();
    EXPECT_EQ(capabilitiesRequests(), 1) << "the frames use the listing's capabilities";
    for (const FixtureRequestRecord& request : server.requests())
        EXPECT_EQ(request.header("User-Agent"), kLiveUserAgent) << request.target;
}

TEST_F(LiveTranslatorTest, LegendsFollowTheProductAndVelocityHasItsOwnLayer) {
    const HttpResult legends = get("/ridge/Legend/NOV/OKX/");
    ASSERT_TRUE(legends.ok()) << legends.errorText.toStdString();
    const RadarDirectoryListing listing =
        ReadRadarDirectory(View(legends.body), RadarFrameKey("OKX"), "", 10);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing.names.back(), "OKX_20261201_1556_NOV_Legend.gif");
    const HttpResult legend = get("/ridge/Legend/NOV/OKX/" + listing.names.back());
    ASSERT_TRUE(legend.ok()) << legend.errorText.toStdString();
    const QImage picture = GifDecoder().decodeFirstFrame(legend.body);
    ASSERT_EQ(picture.size(), QSize(600, 550));
    EXPECT_EQ(qAlpha(picture.pixel(300, 100)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(300, 540)), 255) << "the strip along the bottom";
    EXPECT_TRUE(emulation.mapRequests().empty()) << "legends are drawn, not fetched";
}

TEST_F(LiveTranslatorTest, CapabilitiesAreAskedAtMostOnceInTwoMinutesOrAsLongAsAllowed) {
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    EXPECT_EQ(capabilitiesRequests(), 1);
    now += 119 * 1000;
    ASSERT_TRUE(get("/ridge/Legend/N0R/OKX/").ok()) << "the legend list shares the layer's";
    EXPECT_EQ(capabilitiesRequests(), 1);
    now += 2 * 1000;
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    EXPECT_EQ(capabilitiesRequests(), 2);

    // A longer max-age is honoured for capabilities and for pictures alike.
    emulation.setCacheControl("max-age=600");
    now += 121 * 1000;
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    EXPECT_EQ(capabilitiesRequests(), 3);
    now += 300 * 1000;
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    EXPECT_EQ(capabilitiesRequests(), 3) << "still fresh after five minutes";
    const std::string frame = "/ridge/RadarImg/N0R/OKX/OKX_20261201_1550_N0R.gif";
    ASSERT_TRUE(get(frame).ok());
    ASSERT_TRUE(get(frame).ok());
    EXPECT_EQ(emulation.mapRequests().size(), 1u) << "a fresh picture is not asked again";
}

TEST_F(LiveTranslatorTest, ATornadoPolygonIsFoundByTheWarningScanOfItsFrames) {
    emulation.setWarnings(R"({"type":"FeatureCollection","features":[
 {"type":"Feature","properties":{"event":"Tornado Warning","onset":"2026-12-01T15:30:00Z",
   "ends":"2026-12-01T16:15:00Z"},
  "geometry":{"type":"Polygon","coordinates":[[[-73.5,41.1],[-72.9,41.1],[-72.9,40.7],[-73.5,40.7],[-73.5,41.1]]]}},
 {"type":"Feature","properties":{"event":"Severe Thunderstorm Warning","onset":"2026-12-01T15:00:00Z",
   "ends":"2026-12-01T15:20:00Z"},
  "geometry":{"type":"Polygon","coordinates":[[[-74.5,41.9],[-74.0,41.9],[-74.0,41.5],[-74.5,41.9]]]}}
]})");
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    const HttpResult page = get("/ridge/Warnings/Short/OKX/");
    ASSERT_TRUE(page.ok()) << page.errorText.toStdString();
    const RadarDirectoryListing listing =
        ReadRadarDirectory(View(page.body), RadarFrameKey("OKX"), RadarWarningsKey("Short"), 10);
    ASSERT_TRUE(listing.ok());
    EXPECT_EQ(listing.names.back(), "OKX_20261201_1550_Short_Warnings.gif");

    const auto scan = [this](const std::string& name) {
        const HttpResult frame = get("/ridge/Warnings/Short/OKX/" + name);
        EXPECT_TRUE(frame.ok()) << frame.errorText.toStdString();
        const QImage layer = GifDecoder().decodeFirstFrame(frame.body);
        QImage picture(layer.size(), QImage::Format_RGB888);
        picture.fill(Qt::black);
        for (int y = 0; y < layer.height(); ++y)
            for (int x = 0; x < layer.width(); ++x)
                if (qAlpha(layer.pixel(x, y)) == 255)
                    picture.setPixel(x, y, layer.pixel(x, y));
        return GetWarning(
            {std::span<const std::uint8_t>(picture.constBits(),
                                           static_cast<std::size_t>(picture.sizeInBytes())),
             picture.width(), picture.height(), static_cast<std::size_t>(picture.bytesPerLine())});
    };
    const WeatherWarnings newest = scan(listing.names.back());
    EXPECT_TRUE(newest.tornado);
    EXPECT_FALSE(newest.severeWeather) << "expired at 15:20";
    EXPECT_EQ(WarningLabelTexts(newest), std::vector<std::string>{std::string(kTornadoText)});
    const WeatherWarnings oldest = scan(listing.names.front()); // 15:05
    EXPECT_TRUE(oldest.severeWeather);
    EXPECT_FALSE(oldest.tornado) << "not yet issued";
    for (std::size_t i = 1; i + 1 < listing.names.size(); ++i)
        scan(listing.names[i]);
    EXPECT_EQ(requestsTo("/geoserver/wwa/").size(), 1u) << "one warnings request per download";
}

TEST_F(LiveTranslatorTest, OverlaysAreFetchedOnceAndKeptForTheNextDownload) {
    const std::vector<std::string> overlays{
        RadarOverlayPath(RadarOverlay::Topo, "OKX", "Short"),
        RadarOverlayPath(RadarOverlay::Counties, "OKX", "Short"),
        RadarOverlayPath(RadarOverlay::Rivers, "OKX", "Short"),
        RadarOverlayPath(RadarOverlay::Highways, "OKX", "Short"),
        RadarOverlayPath(RadarOverlay::Cities, "OKX", "Short"),
        RadarOverlayPath(RadarOverlay::RangeRing, "OKX", "Short"),
    };
    std::vector<QByteArray> first;
    for (const std::string& path : overlays) {
        SCOPED_TRACE(path);
        const HttpResult result = get(path);
        ASSERT_TRUE(result.ok()) << result.errorText.toStdString();
        EXPECT_TRUE(path.ends_with(".jpg") ? CheckJPGSignature(View(result.body))
                                           : CheckGIFSignature(View(result.body)));
        first.push_back(result.body);
    }
    // Numbered layers found by title: counties 1, roads 2, small-scale flowlines 2.
    std::set<std::string> layers;
    for (const FixtureRequestRecord& request : requestsTo("/arcgis/"))
        if (request.param("request") == "GetMap")
            layers.insert(request.path + "=" + request.param("layers"));
    EXPECT_EQ(layers, (std::set<std::string>{"/arcgis/USGSShadedReliefOnly/WMSServer=0",
                                             "/arcgis/tigerWMS_Current/WMSServer=1",
                                             "/arcgis/tigerWMS_Current/WMSServer=2",
                                             "/arcgis/nhd/WMSServer=2"}));
    EXPECT_TRUE(emulation.problems().empty()) << emulation.problems().front();
    const QImage cities = GifDecoder().decodeFirstFrame(first[4]);
    int drawn = 0;
    for (int y = 0; y < cities.height(); ++y)
        for (int x = 0; x < cities.width(); ++x)
            drawn += qAlpha(cities.pixel(x, y)) == 255;
    EXPECT_GT(drawn, 200) << "the place list's cities around New York";

    // The next download, also in a later run: nothing is asked.
    const std::size_t asked = server.requests().size();
    const std::shared_ptr<LiveSources> nextRun = makeLive();
    for (std::size_t i = 0; i < overlays.size(); ++i) {
        const HttpResult again = get(overlays[i], "radar.weather.gov", nextRun.get());
        ASSERT_TRUE(again.ok());
        EXPECT_EQ(again.body, first[i]);
    }
    EXPECT_EQ(server.requests().size(), asked) << "no overlay request the second time";
}

TEST_F(LiveTranslatorTest, AnOverlayTheServerSaysNotToStoreIsAskedAgain) {
    emulation.setCacheControl("no-store");
    const std::string topo = RadarOverlayPath(RadarOverlay::Topo, "DIX", "Long");
    ASSERT_TRUE(get(topo).ok());
    ASSERT_TRUE(get(topo).ok());
    EXPECT_EQ(requestsTo("/arcgis/USGSShadedReliefOnly/").size(), 2u);
}

TEST_F(LiveTranslatorTest, TheNationalLoopIsAnAnimatedGifOfTheNewestFrames) {
    const HttpResult loop = get(RadarMosaicPath(0, true), "radar.weather.gov");
    ASSERT_TRUE(loop.ok()) << loop.errorText.toStdString();
    const std::optional<GifAnimation> animation = GifDecoder().decode(loop.body);
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->frames.size(), 10u);
    EXPECT_EQ(animation->screen, QSize(600, 282));
    EXPECT_EQ(animation->loopCount, 0) << "loops for ever";
    const std::vector<std::string> times = Times("2026-12-01T14:50:00Z", 14, 4);
    std::vector<std::string> asked;
    for (const FixtureRequestRecord& request : emulation.mapRequests())
        asked.push_back(request.param("time"));
    EXPECT_EQ(asked, std::vector<std::string>(times.end() - 10, times.end()));

    // The still: one frame, the newest; the background came from the cache folder.
    const std::size_t reliefAsked = requestsTo("/arcgis/USGSShadedReliefOnly/").size();
    const HttpResult still = get(RadarMosaicPath(0, false));
    ASSERT_TRUE(still.ok());
    const std::optional<GifAnimation> picture = GifDecoder().decode(still.body);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->frames.size(), 1u);
    EXPECT_EQ(emulation.mapRequests().back().param("time"), times.back());
    EXPECT_EQ(requestsTo("/arcgis/USGSShadedReliefOnly/").size(), reliefAsked);

    // Alaska has its own workspace and its picture size.
    const HttpResult alaska = get(RadarMosaicPath(12, false));
    ASSERT_TRUE(alaska.ok()) << alaska.errorText.toStdString();
    EXPECT_EQ(GifDecoder().decodeFirstFrame(alaska.body).size(), QSize(600, 571));
    EXPECT_EQ(emulation.mapRequests().back().path, "/geoserver/alaska/ows");
    EXPECT_TRUE(emulation.problems().empty()) << emulation.problems().front();
}

TEST_F(LiveTranslatorTest, EachSatelliteChoiceAsksTheCdnForItsFile) {
    const struct {
        const char* name;
        SatelliteChoice choice;
        std::string expected; // a path the translator must have asked
    } rows[] = {
        {"east coast infrared", {0, 0, 0, false}, "/cdn/GOES19/ABI/SECTOR/eus/13/1000x1000.jpg"},
        {"west coast visible", {1, 1, 0, false}, "/cdn/GOES18/ABI/SECTOR/wus/02/1000x1000.jpg"},
        {"Puerto Rico water vapour", {2, 2, 0, false}, "/cdn/GOES19/ABI/SECTOR/pr/09/600x600.jpg"},
        {"Alaska", {3, 0, 0, false}, "/cdn/GOES18/ABI/SECTOR/ak/13/1000x1000.jpg"},
        {"Hawaii", {4, 1, 0, false}, "/cdn/GOES18/ABI/SECTOR/hi/02/600x600.jpg"},
        {"entire USA water vapour", {10, 2, 0, false}, "/cdn/GOES19/ABI/CONUS/09/1250x750.jpg"},
        {"colourised east coast",
         {0, 0, 2, false},
         "/cdn/GOES19/ABI/SECTOR/eus/GEOCOLOR/1000x1000.jpg"},
        {"colourised west coast vapour",
         {1, 2, 3, false},
         "/cdn/GOES18/ABI/SECTOR/wus/GEOCOLOR/1000x1000.jpg"},
        {"tropical gulf still", {8, 0, 0, false}, "/cdn/GOES19/ABI/SECTOR/gm/13/1000x1000.jpg"},
        {"earth US east", {11, 0, 0, false}, "/cdn/GOES19/ABI/FD/13/1808x1808.jpg"},
        {"earth US west visible", {12, 1, 0, false}, "/cdn/GOES18/ABI/FD/02/1808x1808.jpg"},
        {"earth Europe", {13, 2, 0, false}, "/images/eumetsat/MSG_IR108.jpg"},
        {"earth India visible", {14, 1, 0, false}, "/images/eumetsat/IODC_Natural.jpg"},
        {"earth Asia", {15, 0, 0, false}, "/images/jma/fd__b13_1520.jpg"},
        {"east coast movie",
         {0, 0, 0, true},
         "/cdn/GOES19/ABI/SECTOR/eus/13/GOES19-EUS-13-1000x1000.gif"},
        {"tropical gulf loop",
         {8, 0, 0, true},
         "/cdn/GOES19/ABI/SECTOR/gm/13/20263351555_GOES19-ABI-gm-13-1000x1000.jpg"},
        {"tropical east coast loop",
         {5, 1, 0, true},
         "/cdn/GOES19/ABI/SECTOR/se/02/20263351510_GOES19-ABI-se-02-600x600.jpg"},
        {"tropical Atlantic numbered loop",
         {6, 2, 0, true},
         "/cdn/GOES19/ABI/SECTOR/taw/09/20263351510_GOES19-ABI-taw-09-900x540.jpg"},
        {"tropical Pacific numbered loop",
         {9, 0, 0, true},
         "/cdn/GOES19/ABI/SECTOR/eep/13/20263351555_GOES19-ABI-eep-13-900x540.jpg"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        server.clearRequests();
        const SatelliteRequest request = SatelliteRequestFor(row.choice);
        std::vector<std::string> paths;
        if (request.fetch == SatelliteFetch::TropicalList) {
            const HttpResult list = get(request.listPath, "www.goes.noaa.gov");
            ASSERT_TRUE(list.ok()) << list.errorText.toStdString();
            const SatelliteFrameList names = ParseJPGList(View(list.body));
            ASSERT_TRUE(names.ok());
            EXPECT_EQ(names.names.size(), 10u) << "the newest ten frames";
            paths = TropicalFramePaths(request, names.names);
        } else if (request.fetch == SatelliteFetch::TropicalNumbered) {
            paths = TropicalFramePaths(request);
        } else {
            paths = {request.path};
        }
        for (const std::string& path : paths) {
            const HttpResult answer = get(path, "www.goes.noaa.gov");
            ASSERT_TRUE(answer.ok()) << path << ": " << answer.errorText.toStdString();
            if (request.fetch == SatelliteFetch::Movie)
                EXPECT_EQ(answer.body.left(4), QByteArray("\x00\x00\x01\xBA", 4)) << "MPEG-1";
            else
                EXPECT_TRUE(CheckJPGSignature(View(answer.body)));
        }
        std::set<std::string> asked;
        for (const FixtureRequestRecord& record : server.requests())
            asked.insert(record.path);
        EXPECT_TRUE(asked.count(row.expected)) << "asked: " << [&asked] {
            std::string all;
            for (const std::string& path : asked)
                all += path + " ";
            return all;
        }();
        for (const FixtureRequestRecord& record : server.requests())
            EXPECT_EQ(record.status, 200) << record.target;
    }
}

TEST_F(LiveTranslatorTest, AServiceThatDoesNotAnswerFailsWithOneStatusLine) {
    const std::string closed = "http://127.0.0.1:" + std::to_string(fixture::ClosedLoopbackPort());
    const std::shared_ptr<LiveSources> broken =
        makeLive("radar.capabilities=" + closed + "/geoserver/{workspace}/{layer}/ows;" +
                 "satellite.cdn=" + closed + "/cdn");
    HttpResult page = get("/ridge/RadarImg/N0R/OKX/", "radar.weather.gov", broken.get());
    EXPECT_EQ(page.failure, HttpFailure::Refused);
    EXPECT_TRUE(page.errorText.startsWith(
        QStringLiteral("the NWS radar map server (127.0.0.1) did not answer")))
        << page.errorText.toStdString();
    ASSERT_EQ(statusLines.size(), 1);
    EXPECT_EQ(statusLines.front(), page.errorText);
    EXPECT_EQ(broken->lastStatusLine(), page.errorText);
    // The host chain tries again at once: the failure is remembered, nothing is asked.
    page = get("/ridge/RadarImg/N0R/OKX/", "radar2pub.ncep.noaa.gov", broken.get());
    EXPECT_EQ(page.failure, HttpFailure::Refused);
    EXPECT_EQ(broken->upstreamRequests(), 1);

    const HttpResult still = get("/GIFS/ECIR.JPG", "www.goes.noaa.gov", broken.get());
    EXPECT_FALSE(still.ok());
    EXPECT_TRUE(
        still.errorText.startsWith(QStringLiteral("the NOAA satellite image CDN (127.0.0.1)")));

    // A server that answers with an error, and a picture that is not one.
    server.setRule("/geoserver/wwa/ows", fixture::FixtureRule::errorPage(500));
    ASSERT_TRUE(get("/ridge/RadarImg/N0R/OKX/").ok());
    const HttpResult warnings = get("/ridge/Warnings/Short/OKX/");
    EXPECT_EQ(warnings.failure, HttpFailure::HttpStatus);
    EXPECT_EQ(warnings.errorText,
              QStringLiteral("the NWS warnings service (127.0.0.1) answered HTTP status 500"));
    const HttpResult unknownTime = get("/ridge/RadarImg/N0R/OKX/OKX_20261201_0000_N0R.gif");
    EXPECT_EQ(unknownTime.failure, HttpFailure::HttpStatus);
    EXPECT_TRUE(unknownTime.errorText.endsWith(QStringLiteral("sent something unreadable")))
        << unknownTime.errorText.toStdString();

    // A product without a source today fails like a missing list.
    const HttpResult motion = get("/ridge/RadarImg/NOS/OKX/");
    EXPECT_EQ(motion.failure, HttpFailure::HttpStatus);
    EXPECT_EQ(motion.status, 404);
    EXPECT_EQ(motion.errorText,
              QStringLiteral("Live radar: \"Storm Relative Motion\" has no live source today"));
    EXPECT_EQ(statusLines.back(), motion.errorText);
}

// A transport that records what reaches it and answers 200.
class RecordingTransport final : public HttpTransport {
public:
    explicit RecordingTransport(std::vector<HttpRequest>& seen) : seen_(seen) {}
    HttpResult perform(const HttpRequest& request,
                       const std::function<void(const QString&)>&) override {
        seen_.push_back(request);
        HttpResult result;
        result.failure = HttpFailure::None;
        result.status = 200;
        result.body = "as sent";
        return result;
    }

private:
    std::vector<HttpRequest>& seen_;
};

TEST(LiveTranslatingTransport, OnlyTheRetiredTreesAreTranslatedAndOnlyWhileOn) {
    LiveSourcesOptions options;
    options.table = LiveSourceTable::WithOverrides(
        "radar.capabilities=http://127.0.0.1:9/geoserver/{workspace}/{layer}/ows");
    auto live = std::make_shared<LiveSources>(std::move(options));
    std::vector<HttpRequest> inner, upstream;
    LiveTranslatingTransport transport(std::make_unique<RecordingTransport>(inner),
                                       std::make_unique<RecordingTransport>(upstream), live);
    const struct {
        const char* url;
        bool translated;
    } rows[] = {
        {"http://radar.weather.gov/ridge/RadarImg/N0R/OKX/", true},
        {"https://RADAR.weather.gov/ridge/Legend/N0R/OKX/", true},
        {"http://radar2pub.ncep.noaa.gov/ridge/RadarImg/N0R/OKX/", true},
        {"http://radar.weather.gov:80/Conus/Loop/NatLoop.gif", true},
        {"http://www.goes.noaa.gov/GIFS/ECIR.JPG", true},
        {"http://127.0.0.1:8089/ridge/RadarImg/N0R/OKX/", false}, // a mirror or the fixture
        {"http://radar.weather.gov:8089/ridge/RadarImg/N0R/OKX/", false},
        {"http://radar.weather.gov/srh/jetstream/doppler/radarfaq.htm", false},
        {"http://radar.weather.gov/GIFS/ECIR.JPG", false}, // satellite path, radar host
        {"http://www.goes.noaa.gov/ridge/RadarImg/N0R/OKX/", false},
        {"http://tgftp.nws.noaa.gov/pub/data/observations/metar/decoded/KNYC.TXT", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.url);
        EXPECT_EQ(live->translates(QString::fromLatin1(row.url)), row.translated);
    }

    // Off: even the retired trees go out exactly as asked.
    live->setEnabled(false);
    HttpRequest request;
    request.url = QStringLiteral("http://radar.weather.gov/ridge/RadarImg/N0R/OKX/");
    request.options.userAgent = "the page's own";
    request.proxy.host = QStringLiteral("proxy.example");
    request.proxy.port = 3128;
    request.cookies = {"a=b"};
    const HttpResult result = transport.perform(request, {});
    EXPECT_EQ(result.body, "as sent");
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_EQ(inner[0].url, request.url);
    EXPECT_EQ(inner[0].options.userAgent, "the page's own");
    EXPECT_EQ(inner[0].proxy.host, request.proxy.host);
    EXPECT_EQ(inner[0].cookies, request.cookies);
    EXPECT_TRUE(upstream.empty());

    // On: the live source is asked through the upstream transport, with the program's
    // identity, the request's proxy and limits, and none of the page's cookies.
    live->setEnabled(true);
    request.options.limits.maxBody = 1234;
    transport.perform(request, {});
    EXPECT_EQ(inner.size(), 1u);
    ASSERT_EQ(upstream.size(), 1u);
    EXPECT_TRUE(upstream[0].url.startsWith(
        QStringLiteral("http://127.0.0.1:9/geoserver/kokx/kokx_sr_bref/ows?")))
        << upstream[0].url.toStdString();
    EXPECT_EQ(upstream[0].options.userAgent, QByteArray(kLiveUserAgent.data()));
    EXPECT_EQ(upstream[0].proxy.host, request.proxy.host);
    EXPECT_EQ(upstream[0].options.limits.maxBody, 1234u);
    EXPECT_TRUE(upstream[0].cookies.isEmpty());
    EXPECT_FALSE(upstream[0].options.keepCookies);

    // The factory puts the translator in front of every transport it makes: range rings are
    // drawn without asking anyone, other requests go out through the transport it wraps.
    std::vector<HttpRequest> made;
    const HttpTransportFactory factory = LiveTransportFactory(
        [&made] {
            return std::unique_ptr<HttpTransport>(std::make_unique<RecordingTransport>(made));
        },
        live);
    request.url = QStringLiteral(
        "http://radar.weather.gov/ridge/Overlays/RangeRings/Short/OKX_RangeRing_Short.gif");
    const HttpResult rings = factory()->perform(request, {});
    EXPECT_TRUE(CheckGIFSignature(View(rings.body)));
    EXPECT_TRUE(made.empty());
    request.url = QStringLiteral("http://127.0.0.1:8089/ridge/RadarImg/N0R/OKX/");
    factory()->perform(request, {});
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].url, request.url);
}

} // namespace
} // namespace skelvane

namespace skelvane {
namespace {

TEST_F(LiveTranslatorTest, ClientsOnSeveralThreadsShareOneCapabilitiesRequest) {
    std::vector<std::thread> threads;
    std::atomic<int> answered{0};
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([this, &answered] {
            CurlTransport own; // each thread's client has its own transport
            HttpRequest request;
            request.url = QStringLiteral("http://radar.weather.gov/ridge/RadarImg/N0R/OKX/");
            request.options.limits.connect = 2s;
            if (live->answer(request, own, {}).ok())
                ++answered;
            request.url = QStringLiteral(
                "http://radar.weather.gov/ridge/RadarImg/N0R/OKX/OKX_20261201_1550_N0R.gif");
            if (live->answer(request, own, {}).ok())
                ++answered;
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(answered.load(), 8);
    EXPECT_EQ(capabilitiesRequests(), 1) << "the others waited for the first and used its answer";
}

TEST(InstallLiveSources, WrapsTheFactoryInForceWithTheSettingsAsRead) {
    const HttpTransportFactory before = CurrentHttpTransportFactory();
    Settings settings;
    settings.LiveSources = false;
    settings.LiveSourceOverrides = QStringLiteral("radar.map=http://127.0.0.1:1/ows; bogus");
    std::vector<std::string> rejected;
    EXPECT_EQ(LiveSourcesOptionsFromSettings(settings, &rejected).table.value("radar.map"),
              "http://127.0.0.1:1/ows");
    EXPECT_EQ(rejected, std::vector<std::string>{"bogus"});
    const std::shared_ptr<LiveSources> live = InstallLiveSources(settings);
    EXPECT_FALSE(live->enabled());
    const std::unique_ptr<HttpTransport> transport = MakeHttpTransport();
    EXPECT_NE(dynamic_cast<LiveTranslatingTransport*>(transport.get()), nullptr);
    EXPECT_TRUE(Settings().LiveSources) << "on by default";
    SetHttpTransportFactory(before);
}

} // namespace
} // namespace skelvane

namespace skelvane {
namespace {

TEST_F(LiveTranslatorTest, TheLiveCheckAsksEverySourceAndReadsItsAnswer) {
    emulation.addLayer("kokx", "kokx_boha", Times("2026-12-01T15:00:00Z", 2, 30));
    emulation.addLayer("kokx", "kokx_bdsa", Times("2026-12-01T15:00:00Z", 2, 30));
    emulation.addLayer("conus", "conus_cref_qcd", Times("2026-12-01T15:00:00Z", 2, 30));
    HttpLimits limits;
    limits.connect = 2s;
    std::vector<std::string> told;
    const std::vector<LiveCheck> checks =
        RunLiveChecks(LiveSourceTable::WithOverrides(emulation.overrides()), upstream, limits, {},
                      [&told](const LiveCheck& check) { told.push_back(check.key); });
    std::set<std::string> keys;
    for (const LiveCheck& check : checks) {
        SCOPED_TRACE(check.key + " " + check.url);
        EXPECT_TRUE(check.ok) << check.detail;
        EXPECT_FALSE(check.detail.empty());
        keys.insert(check.key);
    }
    EXPECT_EQ(told.size(), checks.size()) << "each result told as it came";
    for (const LiveSourceEntry& entry : DefaultLiveSourceEntries()) {
        const std::string key(entry.key);
        const bool checked =
            key.starts_with("radar.layer.") || key.starts_with("satellite.area.") ||
            key.starts_with("satellite.image.") || key.ends_with(".titles") || key == "radar.map" ||
            key == "relief.map" || key == "mosaic.layer" || key == "warnings.features";
        if (checked) {
            EXPECT_TRUE(keys.count(key)) << key << " is not checked";
        }
    }
    EXPECT_TRUE(emulation.problems().empty()) << emulation.problems().front();
    for (const FixtureRequestRecord& request : server.requests())
        EXPECT_EQ(request.header("User-Agent"), kLiveUserAgent);
}

} // namespace
} // namespace skelvane
