// What the live sources read and write without a network: the table and its overrides, the
// request paths, ISO 8601 times, capabilities, warning polygons, CDN indexes, Cache-Control
// and the index pages the program's own directory reader reads back.

#include "net/decode/radar_directory.h"
#include "net/decode/radar_views.h"
#include "net/live/cache_control.h"
#include "net/live/cdn_index.h"
#include "net/live/index_page.h"
#include "net/live/iso_time.h"
#include "net/live/live_request.h"
#include "net/live/live_source_table.h"
#include "net/live/warning_areas.h"
#include "net/live/wms_capabilities.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

std::int64_t Ms(const char* iso) {
    return ParseIsoInstant(iso).value_or(-1);
}

TEST(LiveSourceTable, OverridesChangeKnownKeysAndListTheRest) {
    std::vector<std::string> rejected;
    const LiveSourceTable table = LiveSourceTable::WithOverrides(
        " radar.map = http://127.0.0.1:8089/geoserver/{workspace}/ows ;\n"
        "radar.layer.N0R=kokx:kokx_bref_raw;radar.layer.N0V=;"
        "warnings.features=http://h/ows?a=b&c=d;no.such.key=1;just text;;",
        &rejected);
    EXPECT_EQ(table.value("radar.map"), "http://127.0.0.1:8089/geoserver/{workspace}/ows");
    EXPECT_EQ(table.value("radar.layer.N0R"), "kokx:kokx_bref_raw");
    EXPECT_EQ(table.value("radar.layer.N0V"), "") << "empty: no source";
    EXPECT_EQ(table.value("warnings.features"), "http://h/ows?a=b&c=d") << "'=' kept in values";
    EXPECT_EQ(rejected, (std::vector<std::string>{"no.such.key=1", "just text"}));
    EXPECT_TRUE(table.overridden("radar.map"));
    EXPECT_FALSE(table.overridden("satellite.cdn"));
    EXPECT_EQ(LiveSourceTable::WithOverrides(""), LiveSourceTable());
    // Every built-in row is an endpoint, a layer, a style, a band or a number, with a note.
    for (const LiveSourceEntry& entry : DefaultLiveSourceEntries()) {
        EXPECT_FALSE(entry.note.empty()) << entry.key;
        if (entry.key.ends_with(".map") || entry.key == "satellite.cdn" ||
            entry.key.starts_with("satellite.image.") || entry.key == "warnings.features") {
            EXPECT_TRUE(entry.value.starts_with("https://")) << entry.key;
        }
    }
}

TEST(LiveSourceTable, PlaceholdersAreFilledAndUnknownOnesKept) {
    const std::pair<std::string_view, std::string> fields[] = {{"site", "kokx"},
                                                               {"region", "conus"}};
    EXPECT_EQ(FillPlaceholders("{site}:{site}_sr_bref", fields), "kokx:kokx_sr_bref");
    EXPECT_EQ(FillPlaceholders("{region}_{other}_{", fields), "conus_{other}_{");
    EXPECT_EQ(LiveServiceName("radar.layer.N0R"), "the NWS radar map server");
    EXPECT_EQ(LiveServiceName("satellite.image.MTIR"), "JMA's Himawari image server");
    EXPECT_EQ(LiveServiceName("satellite.area.EC"), "the NOAA satellite image CDN");
}

TEST(LiveRequest, EveryPathThePagesAskIsRecognised) {
    const struct {
        const char* path;
        LiveRequestKind kind;
        const char* detail; // product, code or file name
    } rows[] = {
        {"/ridge/RadarImg/N0R/OKX/", LiveRequestKind::RadarDirectory, "N0R"},
        {"/ridge/RadarImg/NOZ/OKX/", LiveRequestKind::RadarDirectory, "NOZ"},
        {"/ridge/RadarImg/N0Z/AHG/", LiveRequestKind::RadarDirectory, "N0Z"},
        {"/ridge/RadarImg/N0R/OKX/OKX_20261201_1545_N0R.gif", LiveRequestKind::RadarFrame,
         "OKX_20261201_1545_N0R.gif"},
        {"/ridge/Legend/NCR/DIX/", LiveRequestKind::LegendDirectory, "NCR"},
        {"/ridge/Legend/NCR/DIX/DIX_20261201_1545_NCR_Legend.gif", LiveRequestKind::LegendFrame,
         "DIX_20261201_1545_NCR_Legend.gif"},
        {"/ridge/Warnings/Short/OKX/", LiveRequestKind::WarningsDirectory, ""},
        {"/ridge/Warnings/Long/OKX/OKX_20261201_1545_Long_Warnings.gif",
         LiveRequestKind::WarningsFrame, "OKX_20261201_1545_Long_Warnings.gif"},
        {"/ridge/Overlays/Topo/Short/OKX_Topo_Short.jpg", LiveRequestKind::Overlay,
         "OKX_Topo_Short.jpg"},
        {"/ridge/Overlays/Cities/Long/GUA_City_Long.gif", LiveRequestKind::Overlay,
         "GUA_City_Long.gif"},
        {"/ridge/Overlays/RangeRings/Short/JUA_RangeRing_Short.gif", LiveRequestKind::Overlay,
         "JUA_RangeRing_Short.gif"},
        {"/Conus/RadarImg/latest_Small.gif", LiveRequestKind::MosaicStill, "latest_Small.gif"},
        {"/Conus/Loop/NatLoop.gif", LiveRequestKind::MosaicLoop, "NatLoop.gif"},
        {"/Conus/Loop/northeast_loop.gif", LiveRequestKind::MosaicLoop, "northeast_loop.gif"},
        {"/GIFS/ECI5.JPG", LiveRequestKind::SatelliteStill, "ECI5"},
        {"/GIFS/GULFIR.JPG", LiveRequestKind::SatelliteStill, "GULFIR"},
        {"/FULLDISK/GMIR.JPG", LiveRequestKind::SatelliteFullDisk, "GMIR"},
        {"/MOVIES/WCWV.mpg", LiveRequestKind::SatelliteMovie, "WCWV"},
        {"/HURRLOOPS/gulfir/file_names.txt", LiveRequestKind::TropicalList, "GULFIR"},
        {"/HURRLOOPS/huecvs/file_names.txt", LiveRequestKind::TropicalList, "ECSTVS"},
        {"/HURRLOOPS/ir/3.jpg", LiveRequestKind::TropicalFrame, "HUIR"},
        {"/HURRLOOPS/atwv/10.jpg", LiveRequestKind::TropicalFrame, "ATWV"},
        // Not what the pages ask: left alone.
        {"/ridge/RadarImg/XYZ/OKX/", LiveRequestKind::None, ""}, // no such product
        {"/ridge/RadarImg/N0R/QQQ/", LiveRequestKind::None, ""}, // no such site
        {"/ridge/RadarImg/N0R/okx/", LiveRequestKind::None, ""}, // sites in upper case
        {"/ridge/RadarImg/N0R/OKX/DIX_20261201_1545_N0R.gif", LiveRequestKind::None, ""},
        {"/ridge/RadarImg/N0R/OKX/OKX_20261201_1545_N0V.gif", LiveRequestKind::None, ""},
        {"/ridge/RadarImg/N0R/OKX/OKX_2026120_11545_N0R.gif", LiveRequestKind::None, ""},
        {"/ridge/Overlays/RangeRings/Long/OKX_RangeRing_Long.gif", LiveRequestKind::None, ""},
        {"/ridge/Overlays/Topo/Short/OKX_Topo_Long.jpg", LiveRequestKind::None, ""},
        {"/Conus/RadarImg/nowhere.gif", LiveRequestKind::None, ""},
        {"/GIFS/XXIR.JPG", LiveRequestKind::None, ""},
        {"/GIFS/GMIR.JPG", LiveRequestKind::None, ""},   // full disks live under /FULLDISK/
        {"/MOVIES/ATIR.mpg", LiveRequestKind::None, ""}, // only the coasts have movies
        {"/HURRLOOPS/gulfir/11.jpg", LiveRequestKind::None, ""},
        {"/HURRLOOPS/gulfir/../x.jpg", LiveRequestKind::None, ""},
        {"/srh/jetstream/doppler/radarfaq.htm", LiveRequestKind::None, ""},
        {"", LiveRequestKind::None, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const LiveRequest request = ClassifyLiveRequest(row.path);
        EXPECT_EQ(request.kind, row.kind);
        if (row.kind == LiveRequestKind::None)
            continue;
        const std::string detail = row.detail;
        EXPECT_TRUE(request.product == detail || request.code == detail ||
                    request.fileName == detail || detail.empty())
            << request.product << " " << request.code << " " << request.fileName;
    }
    const LiveRequest frame =
        ClassifyLiveRequest("/ridge/RadarImg/N0V/OKX/OKX_20261201_1545_N0V.gif");
    EXPECT_EQ(frame.site, "OKX");
    EXPECT_EQ(frame.view, 120);
    EXPECT_EQ(frame.stamp, "20261201_1545");
    EXPECT_EQ(frame.rangeClass, "Short");
    EXPECT_EQ(ClassifyLiveRequest("/HURRLOOPS/ir/3.jpg").frameNumber, 3);
    EXPECT_EQ(ClassifyLiveRequest("/Conus/Loop/alaskaLoop.gif").view, 12);
}

TEST(LiveRequest, SitesHaveTheirIcaoPrefixAndRegion) {
    const struct {
        int view;
        const char* icao;
        const char* region;
    } rows[] = {
        {120, "kokx", "conus"}, {14, "pahg", "alaska"}, {58, "phkm", "hawaii"},
        {57, "pgua", "guam"},   {133, "tjua", "carib"}, {0, "", "conus"},
        {12, "", "alaska"},     {13, "", "hawaii"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.view);
        EXPECT_EQ(RadarSiteIcao(row.view), row.icao);
        EXPECT_EQ(RadarMosaicRegion(row.view), row.region);
    }
    EXPECT_EQ(CanonicalRadarProduct("NOZ"), "N0Z");
    EXPECT_EQ(CanonicalRadarProduct("NCR"), "NCR");
}

TEST(IsoTime, InstantsDurationsAndStamps) {
    const struct {
        const char* text;
        std::int64_t ms; // -1: refused
    } instants[] = {
        {"2026-12-01T15:45:12.345Z", 1796139912345},
        {"2026-12-01T15:45:12.3456789Z", 1796139912345},
        {"2026-12-01T15:45Z", 1796139900000},
        {"2026-12-01T10:45:12-05:00", 1796139912000},
        {"2026-12-01 15:45:12+00", 1796139912000},
        {"2026-12-01T15:45:12", 1796139912000},
        {"2024-02-29T00:00:00Z", 1709164800000},
        {"2026-02-29T00:00:00Z", -1},
        {"2026-13-01T00:00:00Z", -1},
        {"2026-12-01T24:00:00Z", -1},
        {"2026-12-01", -1},
        {"1969-12-31T23:59:59Z", -1},
        {"2026-12-01T15:45:12Zjunk", -1},
    };
    for (const auto& row : instants) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseIsoInstant(row.text).value_or(-1), row.ms);
    }
    const struct {
        const char* text;
        std::int64_t ms;
    } durations[] = {{"PT5M", 300000},
                     {"PT1H30M", 5400000},
                     {"PT30S", 30000},
                     {"PT2.5S", 2500},
                     {"P1DT6H", 108000000},
                     {"P1Y", -1},
                     {"PT0S", -1},
                     {"5M", -1},
                     {"PT", -1}};
    for (const auto& row : durations) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ParseIsoDuration(row.text).value_or(-1), row.ms);
    }
    const std::int64_t t = Ms("2024-12-31T23:59:59.999Z");
    EXPECT_EQ(IsoInstantText(t), "2024-12-31T23:59:59.999Z");
    EXPECT_EQ(RadarStampText(t), "20241231_2359");
    EXPECT_EQ(OrdinalStampText(t), "20243662359") << "a leap year's 366th day";
    EXPECT_EQ(ParseOrdinalStamp("20243662359").value_or(-1), Ms("2024-12-31T23:59:00Z"));
    EXPECT_FALSE(ParseOrdinalStamp("20253662359")) << "2025 has 365 days";
    EXPECT_FALSE(ParseOrdinalStamp("2024366235"));
}

TEST(WmsCapabilities, TheLayersTimeDimensionInEveryForm) {
    const char* v111 = R"(<?xml version="1.0"?>
<WMT_MS_Capabilities version="1.1.1"><Capability><Layer><Title>kokx</Title>
  <Layer><Name>kokx:kokx_sr_bvel</Name><Dimension name="time" units="ISO8601"/>
    <Extent name="time">2026-12-01T15:00:00Z</Extent></Layer>
  <Layer><Name>kokx:kokx_sr_bref</Name><Style><Name>kokx_sr_bref</Name></Style>
    <Dimension name="time" units="ISO8601"/>
    <Extent name="time" default="current">2026-12-01T15:45:12.000Z,2026-12-01T15:40:07.500Z,
      2026-12-01T15:35:02.000Z, not-a-time</Extent></Layer>
</Layer></Capability></WMT_MS_Capabilities>)";
    const char* v130 = R"(<WMS_Capabilities version="1.3.0"><Capability><Layer>
  <Dimension name="TIME" units="ISO8601">2026-12-01T15:00:00Z/2026-12-01T15:20:00Z/PT5M</Dimension>
  <Layer><Name>conus_bref_qcd</Name><Title>Base reflectivity</Title></Layer>
</Layer></Capability></WMS_Capabilities>)";
    const struct {
        const char* name;
        const char* xml;
        const char* layer;
        std::size_t maxTimes;
        bool found;
        std::vector<std::string> times;
    } rows[] = {
        {"1.1.1 list, sorted, bad values dropped",
         v111,
         "kokx_sr_bref",
         500,
         true,
         {"2026-12-01T15:35:02.000Z", "2026-12-01T15:40:07.500Z", "2026-12-01T15:45:12.000Z"}},
        {"named with its workspace",
         v111,
         "kokx:kokx_sr_bref",
         2,
         true,
         {"2026-12-01T15:40:07.500Z", "2026-12-01T15:45:12.000Z"}},
        {"another layer's times are not taken",
         v111,
         "kokx_sr_bvel",
         500,
         true,
         {"2026-12-01T15:00:00Z"}},
        {"1.3.0 interval inherited from the parent",
         v130,
         "conus_bref_qcd",
         3,
         true,
         {"2026-12-01T15:10:00.000Z", "2026-12-01T15:15:00.000Z", "2026-12-01T15:20:00.000Z"}},
        {"a layer that is not there", v111, "kokx_boha", 500, false, {}},
        {"not XML", "{\"json\": true}", "kokx_sr_bref", 500, false, {}},
        {"cut short",
         "<WMT_MS_Capabilities><Capability><Layer><Name>kokx_sr_bref",
         "kokx_sr_bref",
         500,
         false,
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const WmsLayerTimes read =
            ReadWmsLayerTimes(QByteArrayView(row.xml), row.layer, row.maxTimes);
        EXPECT_EQ(read.layerFound, row.found);
        std::vector<std::string> texts;
        for (const WmsTime& time : read.times)
            texts.push_back(time.text);
        EXPECT_EQ(texts, row.times);
    }
    // A long interval keeps only the newest instants and never makes millions of them.
    const char* year = R"(<WMS_Capabilities><Capability><Layer><Name>x</Name>
  <Dimension name="time">2020-01-01T00:00:00Z/2026-01-01T00:00:00Z/PT1M</Dimension>
</Layer></Capability></WMS_Capabilities>)";
    const WmsLayerTimes many = ReadWmsLayerTimes(QByteArrayView(year), "x", 30);
    ASSERT_EQ(many.times.size(), 30u);
    EXPECT_EQ(many.times.back().text, "2026-01-01T00:00:00.000Z");
}

TEST(WmsCapabilities, NumberedLayersAreFoundByTitle) {
    const char* xml =
        R"(<WMS_Capabilities><Capability><Layer><Name>root</Name><Title>TIGERweb</Title>
  <Layer><Name>0</Name><Title>States</Title><Style><Name>default</Name><Title>Counties</Title></Style></Layer>
  <Layer><Name>12</Name><Title> Counties </Title></Layer>
  <Layer><Name>31</Name><Title>Primary Roads</Title></Layer>
</Layer></Capability></WMS_Capabilities>)";
    const std::vector<WmsLayer> layers = ReadWmsLayers(QByteArrayView(xml));
    EXPECT_EQ(WmsLayerNameByTitle(layers, "counties"), "12") << "not the style's title";
    EXPECT_EQ(WmsLayerNameByTitle(layers, "Interstates|Primary Roads"), "31");
    EXPECT_EQ(WmsLayerNameByTitle(layers, "Rivers"), "");
    EXPECT_TRUE(IsOgcExceptionReport("<?xml version=\"1.0\"?><ServiceExceptionReport>"));
    EXPECT_FALSE(IsOgcExceptionReport("\x89PNG\r\n"));
}

TEST(WarningAreas, TheFourKindsWithTheirTimesAndRings) {
    const char* json = R"({"type":"FeatureCollection","features":[
 {"type":"Feature","properties":{"event":"Tornado Warning","onset":"2026-12-01T15:30:00Z",
   "ends":"2026-12-01T16:15:00Z"},
  "geometry":{"type":"Polygon","coordinates":[[[-73.5,41.0],[-73.0,41.0],[-73.0,40.6],[-73.5,41.0]]]}},
 {"type":"Feature","properties":{"prod_type":"Severe Thunderstorm Warning","issuance":"202612011500",
   "expiration":1796142600},
  "geometry":{"type":"MultiPolygon","coordinates":[[[[-74,41],[-73.8,41],[-73.8,40.8],[-74,41]]],
                                                   [[[-72,41],[-71.8,41],[-71.8,40.8],[-72,41]]]]}},
 {"type":"Feature","properties":{"phenom":"FF","sig":"W"},
  "geometry":{"type":"Polygon","coordinates":[[[40.9,-73.9],[40.9,-73.7],[40.7,-73.7],[40.9,-73.9]]]}},
 {"type":"Feature","properties":{"phenom":"TO","sig":"A"},
  "geometry":{"type":"Polygon","coordinates":[[[-75,42],[-74,42],[-74,41],[-75,42]]]}},
 {"type":"Feature","properties":{"event":"Tornado Watch"},
  "geometry":{"type":"Polygon","coordinates":[[[-75,42],[-74,42],[-74,41],[-75,42]]]}},
 {"type":"Feature","properties":{"event":"Extreme Wind Warning"},"geometry":null},
 {"type":"Feature","properties":{"EVENT":"extreme wind warning"},
  "geometry":{"type":"Polygon","coordinates":[[[-80,26],[-80,"x"],[-79,25]]]}},
 {"type":"Feature","properties":{"event":"Flash Flood Warning"},
  "geometry":{"type":"Polygon","coordinates":[[[-73,40]]]}}
]})";
    const WarningAreas read = ReadWarningAreas(QByteArrayView(json));
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.areas.size(), 3u) << "watches, missing and broken geometry are left out";
    EXPECT_EQ(read.areas[0].kind, WarningKind::Tornado);
    EXPECT_EQ(read.areas[0].startMs, Ms("2026-12-01T15:30:00Z"));
    EXPECT_EQ(read.areas[0].endMs, Ms("2026-12-01T16:15:00Z"));
    EXPECT_TRUE(read.areas[0].inForceAt(Ms("2026-12-01T15:30:00Z")));
    EXPECT_FALSE(read.areas[0].inForceAt(Ms("2026-12-01T16:15:00Z")));
    EXPECT_EQ(read.areas[1].kind, WarningKind::SevereThunderstorm);
    EXPECT_EQ(read.areas[1].startMs, Ms("2026-12-01T15:00:00Z")) << "YYYYMMDDHHMM";
    EXPECT_EQ(read.areas[1].endMs, 1796142600000) << "Unix seconds";
    EXPECT_EQ(read.areas[1].rings.size(), 2u);
    EXPECT_EQ(read.areas[2].kind, WarningKind::FlashFlood);
    EXPECT_DOUBLE_EQ(read.areas[2].rings[0][0].longitude, -73.9) << "latitude-first ring turned";
    EXPECT_DOUBLE_EQ(read.areas[2].rings[0][0].latitude, 40.9);
    EXPECT_EQ(read.areas[2].startMs, std::numeric_limits<std::int64_t>::min()) << "open start";

    EXPECT_FALSE(ReadWarningAreas("not json").ok);
    EXPECT_FALSE(ReadWarningAreas(R"({"type":"Feature"})").ok);
    EXPECT_TRUE(ReadWarningAreas(R"({"type":"FeatureCollection","features":[]})").ok);
}

TEST(CdnIndex, TheNewestFramesOfOneSize) {
    const std::string page =
        "<a href=\"20253351201_GOES19-ABI-gm-13-1000x1000.jpg\">x</a>\n"
        "<a href=\"20253351156_GOES19-ABI-gm-13-1000x1000.jpg\">x</a>\n"
        "<a href=\"20253351201_GOES19-ABI-gm-13-2000x2000.jpg\">other size</a>\n"
        "<a href=\"20253351201_GOES19-ABI-gm-02-1000x1000.jpg\">other band</a>\n"
        "<a href=\"20253351206_GOES19-ABI-GM-13-1000x1000.jpg\">case</a>\n"
        "20253661201_GOES19-ABI-gm-13-1000x1000.jpg (day 366 of 2025: no)\n"
        "120253351211_GOES19-ABI-gm-13-1000x1000.jpg (longer number: no)\n"
        "<a href=\"20253351201_GOES19-ABI-gm-13-1000x1000.jpg\">again</a>\n";
    const std::vector<CdnFrame> frames = ReadCdnFrames(page, "GOES19", "gm", "13", "1000x1000");
    std::vector<std::string> names;
    for (const CdnFrame& frame : frames)
        names.push_back(frame.name);
    EXPECT_EQ(names, (std::vector<std::string>{"20253351156_GOES19-ABI-gm-13-1000x1000.jpg",
                                               "20253351201_GOES19-ABI-gm-13-1000x1000.jpg",
                                               "20253351206_GOES19-ABI-GM-13-1000x1000.jpg"}));
    EXPECT_EQ(ReadCdnFrames(page, "GOES19", "gm", "13", "1000x1000", 1).size(), 1u);
    EXPECT_EQ(CdnFrameName("20253351201", "GOES18", "FD", "GEOCOLOR", "678x678"),
              "20253351201_GOES18-ABI-FD-GEOCOLOR-678x678.jpg");
}

TEST(CacheControl, FreshnessAndStorage) {
    const struct {
        const char* header;
        std::int64_t fresh;
        bool noStore;
    } rows[] = {
        {"", 0, false},
        {"public, max-age=300", 300, false},
        {"MAX-AGE=\"60\"", 60, false},
        {"max-age=300, no-cache", 0, false},
        {"no-store", 0, true},
        {"max-age=abc", 0, false},
        {"max-age=10, max-age=20", 0, false},
        {"max-age=99999999999999999999", 365LL * 86400, false},
        {"s-maxage=600", 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.header);
        const CacheControl control = ParseCacheControl(row.header);
        EXPECT_EQ(control.freshSeconds(), row.fresh);
        EXPECT_EQ(control.noStore, row.noStore);
    }
}

TEST(IndexPage, TheProgramsDirectoryReaderReadsItBack) {
    std::vector<IndexEntry> entries;
    for (int minute = 0; minute < 12; ++minute)
        entries.push_back({"OKX_20261201_15" + std::string(minute < 2 ? "0" : "") +
                               std::to_string(minute * 5) + "_N0R.gif",
                           Ms("2026-12-01T15:00:00Z") + minute * 300000LL, -1});
    entries.push_back({"a&b\"<c>.gif", 0, 2048});
    const std::string page = MakeIndexPage("/ridge/RadarImg/N0R/OKX/", entries);
    EXPECT_NE(page.find("Index of /ridge/RadarImg/N0R/OKX/"), std::string::npos);
    EXPECT_NE(page.find("Parent Directory"), std::string::npos);
    EXPECT_NE(page.find("a&amp;b&quot;&lt;c&gt;.gif"), std::string::npos);
    const RadarDirectoryListing listing = ReadRadarDirectory(page, RadarFrameKey("OKX"), "", 10);
    ASSERT_TRUE(listing.ok());
    ASSERT_EQ(listing.names.size(), 10u);
    EXPECT_EQ(listing.names.front(), "OKX_20261201_1510_N0R.gif");
    EXPECT_EQ(listing.names.back(), "OKX_20261201_1555_N0R.gif");
    EXPECT_FALSE(ReadRadarDirectory(page, RadarFrameKey("OKX"), "", 13).ok());
}

} // namespace
} // namespace skelvane
