#include "net/decode/weather_report.h"

#include "weather_fixtures.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace skelvane {
namespace {

using test::DemoReport;
using test::Utc;

TEST(WeatherReportPath, AsksForTheUpperCasedCodeOrKnycForAnUnusableOne) {
    struct Case {
        const char* code;
        const char* path;
    };
    const Case cases[] = {
        {"knyc", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"EGLL", "/pub/data/observations/metar/decoded/EGLL.TXT"},
        {"k2x9", "/pub/data/observations/metar/decoded/K2X9.TXT"},
        {"abc", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"KORDX", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        // Four characters, but not a station: never let them into the path.
        {"K/..", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"K NY", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"K?a=", "/pub/data/observations/metar/decoded/KNYC.TXT"},
        {"\u00C5BC", "/pub/data/observations/metar/decoded/KNYC.TXT"}, // four bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeatherReportPath(c.code), c.path) << c.code;
}

TEST(IsHtmlPage, RecognisesWebPagesButNoReport) {
    struct Case {
        const char* name;
        std::string body;
        bool html;
    };
    const Case cases[] = {
        {"upper case", "<HTML><HEAD><TITLE>404 Not Found</TITLE>", true},
        {"lower case", "<html>\r\n<head><title>503</title>", true},
        {"doctype", "<!DOCTYPE html>\n<html lang=\"en\">", true},
        {"blanks and byte-order mark first", "\xEF\xBB\xBF \r\n<!doctype HTML>", true},
        {"report", DemoReport("KNYC"), false},
        {"too short", "<HTM", false},
        {"other markup", "<?xml version=\"1.0\"?>", false},
        {"empty", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsHtmlPage(c.body), c.html) << c.name;
}

TEST(SplitReportLines, SplitsAtLineFeedsAndDropsTheCarriageReturnsBeforeThem) {
    struct Case {
        const char* body;
        std::vector<std::string_view> lines;
    };
    const Case cases[] = {
        {"a\nb\nc\n", {"a", "b", "c"}},
        {"a\r\nb\r\nc", {"a", "b", "c"}},
        {"a\n\nc\n\n", {"a", "", "c", ""}},
        {"a\rb\n", {"a\rb"}}, // a lone carriage return is no line break
        {"\n", {""}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitReportLines(c.body), c.lines) << c.body;
}

TEST(ReadObservationTime, ReadsTheUtcTextAfterTheFirstSlash) {
    struct Case {
        const char* line;
        std::optional<DateTime> time;
    };
    const Case cases[] = {
        {"Oct 25, 2024 - 11:51 AM EDT / 2024.10.25 1551 UTC", Utc(2024, 10, 25, 15, 51)},
        {"Feb 29, 2024 - 07:00 PM EST / 2024.03.01 0000 UTC", Utc(2024, 3, 1, 0, 0)},
        {"x/2024.02.29 2359 / more", Utc(2024, 2, 29, 23, 59)}, // up to the next "/"
        {"x/ 2024-10-25T1551 ", Utc(2024, 10, 25, 15, 51)},     // separators are not read
        {"Oct 25, 2024 - 11:51 AM EDT", std::nullopt},          // no "/"
        {"x/2023.02.29 1200 UTC", std::nullopt},                // no such day
        {"x/2024.10.25 2400 UTC", std::nullopt},
        {"x/2024.10.25 1560 UTC", std::nullopt},
        {"x/2024.13.01 1200 UTC", std::nullopt},
        {"x/0000.01.01 1200 UTC", std::nullopt},
        {"x/2024.1O.25 1551 UTC", std::nullopt}, // a letter O
        {"x/2024.10.25 155", std::nullopt},      // too short
        {"x/ 2024.10.25 1551 /", Utc(2024, 10, 25, 15, 51)},
        {"x/-202.10.25 1551", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadObservationTime(c.line), c.time) << c.line;
}

TEST(ReportTimeStampText, KeepsTheLocalPartUntrimmed) {
    EXPECT_EQ(ReportTimeStampText("Oct 25, 2024 - 11:51 AM EDT / 2024.10.25 1551 UTC"),
              "Oct 25, 2024 - 11:51 AM EDT ");
    EXPECT_EQ(ReportTimeStampText("no slash"), "");
    EXPECT_EQ(ReportTimeStampText(std::string(200, 'x') + "/").size(), kTimeStampTextMax);
}

WeatherDecodeContext Context(const char* units, DateTime nowUtc, DateTime previous = 0) {
    WeatherDecodeContext context;
    context.temperatureUnits = units;
    context.nowUtc = nowUtc;
    context.previousObservationUtc = previous;
    return context;
}

TEST(DecodeWeatherReport, ReadsANewYorkReport) {
    const DecodedWeatherReport report =
        DecodeWeatherReport(DemoReport("KNYC"), Context("F", Utc(2024, 10, 25, 16, 0)));
    ASSERT_EQ(report.status, WeatherReportStatus::Report);
    // Without the "ob:" and "cycle:" lines, broken at column 50.
    const std::vector<std::string> lines = {
        "New York City Central Park, NY, United States",
        "(KNYC) 40-47N 073-58W 47M",
        "Oct 25, 2024 - 11:51 AM EDT / 2024.10.25 1551 UTC",
        "Wind: from the NW (310 degrees) at 12 MPH (10",
        "KT):0",
        "Visibility: 10 mile(s):0",
        "Sky conditions: partly cloudy",
        "Temperature: 57.0 F (13.9 C)",
        "Dew Point: 28.9 F (-1.7 C)",
        "Relative Humidity: 34%",
        "Pressure (altimeter): 30.15 in. Hg (1021 hPa)",
    };
    EXPECT_EQ(report.lines, lines);
    ASSERT_EQ(report.textWindowLines.size(), lines.size() - 1);
    EXPECT_EQ(report.textWindowLines[0],
              "New York City Central Park, NY, United States(KNYC) 40-47N 073-58W 47M");
    EXPECT_EQ(report.textWindowLines[1], lines[2]);
    EXPECT_EQ(report.observationUtc, Utc(2024, 10, 25, 15, 51));
    EXPECT_EQ(report.timeStampText, "Oct 25, 2024 - 11:51 AM EDT ");
    EXPECT_EQ(report.temperatureF, 57.0);
    EXPECT_EQ(report.temperatureText, "57\u00B0");
    EXPECT_EQ(report.skyText, "Partly Cloudy");
    EXPECT_EQ(report.weatherText, "Partly Cloudy \r12 Mph \rHum: 34% \r9 mins ago");
}

TEST(DecodeWeatherReport, ReadsEveryDemoStationInBothUnits) {
    struct Case {
        const char* station;
        const char* units;
        DateTime now;
        double temperatureF;
        const char* temperatureText;
        const char* sky;
        const char* weatherText;
    };
    const Case cases[] = {
        {"KNYC", "C", Utc(2024, 10, 25, 15, 52), 57.0, "14\u00B0", "Partly Cloudy",
         "Partly Cloudy \r19 Kph \rHum: 34% \r1 min ago"},
        {"KDEN", "F", Utc(2024, 7, 14, 11, 53), 60.1, "60\u00B0", "Clear",
         "Clear \rCalm \rHum: 65% \r0 min ago"},
        {"KORD", "C", Utc(2024, 4, 2, 18, 52), 59.0, "15\u00B0", "Mostly Cloudy",
         "Mostly Cloudy \r42 Kph \rHum: 47% \r1 min ago"},
        {"KSEA", "C", Utc(2024, 11, 19, 18, 55), 48.0, "9\u00B0", "Overcast",
         "Overcast \rLight Rain; Mist \r14 Kph \rHum: 93% \r2 mins ago"},
        {"KSEA", "F", Utc(2024, 11, 19, 18, 55), 48.0, "48\u00B0", "Overcast",
         "Overcast \rLight Rain; Mist \r9 Mph \rHum: 93% \r2 mins ago"},
        {"KBOS", "F", Utc(2024, 1, 9, 15, 59), kNoTemperature, "", "Overcast",
         "Overcast \rLight Rain \r14 Mph \r5 mins ago"},
        {"EGLL", "C", Utc(2024, 3, 5, 15, 20), 46.0, "8\u00B0", "Mostly Cloudy",
         "Mostly Cloudy \r16 Kph \rHum: 76% \r30 mins ago"},
        {"EGLL", "F", Utc(2024, 3, 5, 15, 20), 46.0, "46\u00B0", "Mostly Cloudy",
         "Mostly Cloudy \r10 Mph \rHum: 76% \r30 mins ago"},
    };
    for (const Case& c : cases) {
        const std::string body = DemoReport(c.station);
        for (const std::string& variant : {body, test::WithCrLf(body)}) {
            const DecodedWeatherReport report =
                DecodeWeatherReport(variant, Context(c.units, c.now));
            ASSERT_TRUE(report.usable()) << c.station;
            EXPECT_TRUE(report.observationUtc.has_value()) << c.station;
            EXPECT_EQ(report.temperatureF, c.temperatureF) << c.station;
            EXPECT_EQ(report.temperatureText, c.temperatureText) << c.station << c.units;
            EXPECT_EQ(report.skyText, c.sky) << c.station;
            EXPECT_EQ(report.weatherText, c.weatherText) << c.station << c.units;
            for (const std::string& line : report.lines)
                EXPECT_EQ(line.find('\r'), std::string::npos) << c.station << ": " << line;
        }
    }
}

TEST(DecodeWeatherReport, KeepsOnlyTheSummaryPartsThatFit) {
    const std::string body =
        test::Replaced(DemoReport("KSEA"), "Weather: light rain; mist",
                       "Weather: thunderstorm heavy rain; small hail/snow pellets; mist");
    const DecodedWeatherReport report =
        DecodeWeatherReport(body, Context("F", Utc(2024, 11, 19, 18, 55)));
    // Sky and weather make exactly 64 characters; the wind would pass them, so it and
    // everything after it is left off.
    EXPECT_EQ(report.weatherText,
              "Overcast \rThunderstorm Heavy Rain; Small Hail/snow Pellets; Mist");
    EXPECT_EQ(report.weatherText.size(), 64u);
}

TEST(DecodeWeatherReport, AnUnreadableTimeKeepsThePreviousOneForTheAge) {
    const std::string body =
        test::Replaced(DemoReport("KNYC"), "2024.10.25 1551 UTC", "2024.10.25 15:1 UTC");
    const DecodedWeatherReport report = DecodeWeatherReport(
        body, Context("F", Utc(2024, 10, 25, 16, 0), Utc(2024, 10, 25, 14, 51)));
    ASSERT_TRUE(report.usable());
    EXPECT_FALSE(report.observationUtc.has_value());
    EXPECT_EQ(report.weatherText, "Partly Cloudy \r12 Mph \rHum: 34% \r69 mins ago");
}

TEST(DecodeWeatherReport, WebPagesAndShortBodiesAreNoReports) {
    struct Case {
        const char* name;
        std::string body;
        WeatherReportStatus status;
    };
    const Case cases[] = {
        {"html page", "<html>\n<head><title>Sign in</title></head>\nTemperature: 70 F\n",
         WeatherReportStatus::HtmlPage},
        {"two lines",
         "New York City Central Park, NY, United States (KNYC)\n"
         "Oct 25, 2024 - 11:51 AM EDT / 2024.10.25 1551 UTC\n",
         WeatherReportStatus::TooShort},
        {"one line", "Temperature: 70 F (21.1 C)", WeatherReportStatus::TooShort},
        {"empty", "", WeatherReportStatus::TooShort},
    };
    for (const Case& c : cases) {
        const DecodedWeatherReport report =
            DecodeWeatherReport(c.body, Context("F", Utc(2024, 10, 25, 16, 0)));
        EXPECT_EQ(report.status, c.status) << c.name;
        EXPECT_FALSE(report.usable()) << c.name;
        EXPECT_TRUE(report.lines.empty()) << c.name;
        EXPECT_EQ(report.temperatureF, kNoTemperature) << c.name;
        EXPECT_EQ(report.weatherText, "") << c.name;
    }
}

TEST(DecodeWeatherReport, AThreeLineBodyShowsItsHeadingOnly) {
    const DecodedWeatherReport report =
        DecodeWeatherReport(DemoReport("KMTP"), Context("F", Utc(2024, 10, 25, 16, 0)));
    ASSERT_TRUE(report.usable());
    const std::vector<std::string> lines = {"Montauk Airport, NY, United States (KMTP) 41-04N",
                                            "071-55W 2M"};
    EXPECT_EQ(report.lines, lines);
    EXPECT_EQ(
        report.textWindowLines,
        std::vector<std::string>{"Montauk Airport, NY, United States (KMTP) 41-04N071-55W 2M"});
    EXPECT_EQ(report.observationUtc, Utc(2024, 10, 25, 15, 56));
    EXPECT_EQ(report.temperatureF, kNoTemperature);
    EXPECT_EQ(report.temperatureText, "");
}

TEST(DecodeWeatherReport, ReadsLatin1BytesAsCharacters) {
    const std::string body = "S\xE3o Paulo / Guarulhos, Brazil (SBGR) 23-26S 046-28W 750M\n"
                             "Oct 25, 2024 - 11:00 AM EDT / 2024.10.25 1500 UTC\n"
                             "Sky conditions: c\xE9u limpo\n"
                             "Temperature: 77 F (25 C)\n"
                             "ob: SBGR 251500Z 14008KT CAVOK 25/12 Q1019\n"
                             "cycle: 15\n";
    const DecodedWeatherReport report =
        DecodeWeatherReport(body, Context("C", Utc(2024, 10, 25, 15, 0)));
    ASSERT_TRUE(report.usable());
    EXPECT_EQ(report.lines.front(), "S\u00E3o Paulo / Guarulhos, Brazil (SBGR) 23-26S");
    EXPECT_EQ(report.skyText, "C\u00E9u Limpo");
    EXPECT_EQ(report.temperatureText, "25\u00B0");
}

} // namespace
} // namespace skelvane
