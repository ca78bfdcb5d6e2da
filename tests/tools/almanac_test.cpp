#include "almanac/almanac.h"
#include "common/arguments.h"
#include "common/json_line.h"

#include "astro/datetime.h"
#include "astro/holidays.h"
#include "astro/posix_tz.h"
#include "astro/timezone.h"
#include "support/scoped_zone.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace skelvane::almanac {
namespace {

using cli::ParseIsoDate;
using cli::ParseIsoInstant;

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

RunResult run(std::vector<std::string> words) {
    std::ostringstream out, err;
    const int status = RunAlmanac(words, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

// Minutes between an ISO instant in a JSON line and an expected one.
double minutesApart(const std::string& line, const char* key, DateTime expected) {
    const std::regex pattern(std::string("\"") + key + "\":\"([^\"]+)\"");
    std::smatch match;
    if (!std::regex_search(line, match, pattern))
        return 1e9;
    const std::optional<DateTime> actual = ParseIsoInstant(match[1]);
    return actual ? std::abs(*actual - expected) * 1440 : 1e9;
}

TEST(Almanac, BadArgumentsGiveOneLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"eclipse"},
        {"sun", "--lat", "40", "--lon", "-74"},                          // no --from
        {"sun", "--lat", "abc", "--lon", "-74", "--from", "2024-01-01"}, // not a number
        {"sun", "--lat", "91", "--lon", "-74", "--from", "2024-01-01"},  // out of range
        {"sun", "--lat", "40", "--lon", "-74", "--from", "2023-02-29"},  // impossible date
        {"sun", "--lat", "40", "--lon", "-74", "--from", "2024-01-02", "--to", "2024-01-01"},
        {"sun", "--lat", "40", "--lon", "-74", "--from", "2024-01-01", "--step", "0"},
        {"sun", "--lat", "40", "--lon", "-74", "--from", "2024-01-01", "--bogus", "1"},
        {"sun", "--lat"},
        {"seasons", "--from-year", "2024"},
        {"seasons", "--from-year", "2025", "--to-year", "2024"},
        {"sunpos", "--utc", "2024-01-01 00:00:00"},
        {"sunpos", "--utc", "2024-01-01T24:00:00Z"},
    };
    for (const auto& words : cases) {
        std::string joined;
        for (const auto& word : words)
            joined += word + " ";
        const RunResult result = run(words);
        EXPECT_EQ(result.status, 2) << joined;
        EXPECT_TRUE(result.out.empty()) << joined;
        EXPECT_EQ(lines(result.err).size(), 1u) << joined << ": " << result.err;
    }
}

TEST(Almanac, SunLinesForARange) {
    const RunResult result = run({"sun", "--lat", "40.7128", "--lon", "-74.006", "--from",
                                  "2024-06-20", "--to", "2024-06-26", "--step", "3", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto output = lines(result.out);
    ASSERT_EQ(output.size(), 3u) << "20, 23 and 26 June";
    const std::regex shape(R"(\{"date":"2024-06-2[036]","rise":[0-9.]+,"set":[0-9.]+\})");
    for (const auto& line : output)
        EXPECT_TRUE(std::regex_match(line, shape)) << line;

    const RunResult polar =
        run({"sun", "--lat", "70", "--lon", "20", "--from", "2024-06-21", "--json"});
    EXPECT_EQ(polar.out, "{\"date\":\"2024-06-21\",\"rise\":-3,\"set\":-3}\n");
    const RunResult text = run({"sun", "--lat", "70", "--lon", "20", "--from", "2024-12-21"});
    EXPECT_EQ(text.out, "2024-12-21  Sun down all day\n");
}

TEST(Almanac, SeasonsInOrderWithTheirInstants) {
    const RunResult result = run({"seasons", "--from-year", "2022", "--to-year", "2023", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto output = lines(result.out);
    ASSERT_EQ(output.size(), 8u);
    EXPECT_EQ(output[0].rfind("{\"year\":2022,\"which\":\"MAR\",\"ut\":\"2022-03-20T15:3", 0), 0u)
        << output[0];
    // source: published instant of the 2022 March equinox, 15:33 UT
    EXPECT_LT(minutesApart(output[0], "ut", SafeEncodeDateTime(2022, 3, 20, 15, 33, 0, 0)), 2.0);
    EXPECT_NE(output[7].find("\"which\":\"DEC\""), std::string::npos);
}

TEST(Almanac, SunPositionKeys) {
    const RunResult result = run({"sunpos", "--utc", "2024-03-20T03:06:00Z", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const std::regex shape(
        R"(\{"ra":[-0-9.e]+,"dec":[-0-9.e]+,"apparent_longitude":[-0-9.e]+,"sidereal":[-0-9.e]+\}\n)");
    EXPECT_TRUE(std::regex_match(result.out, shape)) << result.out;
}

using cli::IsoInstant;
using cli::JsonLine;

TEST(JsonLine, InstantsRoundToTheSecondAndCarry) {
    EXPECT_EQ(IsoInstant(SafeEncodeDateTime(2024, 12, 31, 23, 59, 59, 600)),
              "2025-01-01T00:00:00Z");
    EXPECT_EQ(IsoInstant(SafeEncodeDateTime(2024, 2, 29, 6, 5, 4, 400)), "2024-02-29T06:05:04Z");
    EXPECT_EQ(JsonLine().add("a", "x\"y").add("b", 0.1).add("c", -2).addNull("d").str(),
              R"({"a":"x\"y","b":0.1,"c":-2,"d":null})");
}

} // namespace
} // namespace skelvane::almanac

namespace skelvane::almanac {
namespace {

TEST(Almanac, PhasesOfAYearInTimeOrder) {
    const RunResult result = run({"phases", "--from-year", "2024", "--to-year", "2024", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto output = lines(result.out);
    ASSERT_GE(output.size(), 48u);
    ASSERT_LE(output.size(), 51u);
    // source: published 2024 phases, new moon 2024-01-11 11:57 UT, full moon 2024-01-25 17:54 UT
    EXPECT_EQ(output[0].rfind("{\"phase\":\"last\",\"ut\":\"2024-01-04T", 0), 0u) << output[0];
    EXPECT_LT(minutesApart(output[1], "ut", SafeEncodeDateTime(2024, 1, 11, 11, 57, 0, 0)), 3.0)
        << output[1];
    EXPECT_NE(output[1].find("\"phase\":\"new\""), std::string::npos);
    std::string previous;
    for (const auto& line : output) {
        const std::string ut = line.substr(line.find("\"ut\":"));
        EXPECT_LT(previous, ut) << "time order";
        EXPECT_NE(ut.find("\"2024-"), std::string::npos) << line;
        previous = ut;
    }
}

TEST(Almanac, MoonLinesAndPosition) {
    const RunResult days = run({"moon", "--lat", "40.7128", "--lon", "-74.006", "--from",
                                "2024-06-21", "--to", "2024-06-22", "--json"});
    ASSERT_EQ(days.status, 0) << days.err;
    const std::regex shape(R"(\{"day":"2024-06-2[12]","rise":-?[0-9]+,"set":-?[0-9]+\})");
    for (const auto& line : lines(days.out))
        EXPECT_TRUE(std::regex_match(line, shape)) << line;

    const RunResult outOfRange =
        run({"moon", "--lat", "0", "--lon", "0", "--from", "1600-01-01", "--json"});
    EXPECT_EQ(outOfRange.out, "{\"day\":\"1600-01-01\",\"rise\":-4,\"set\":-4}\n");

    const RunResult position = run({"moonpos", "--utc", "2024-01-25T17:54:00Z", "--json"});
    ASSERT_EQ(position.status, 0) << position.err;
    const std::regex keys(
        R"(\{"ra":[-0-9.e]+,"dec":[-0-9.e]+,"illuminated":[-0-9.e]+,"phase_angle":[-0-9.e]+,"age_days":[-0-9.e]+,"icon":12\}\n)");
    EXPECT_TRUE(std::regex_match(position.out, keys)) << "full moon: icon 12\n" << position.out;
}

} // namespace
} // namespace skelvane::almanac

namespace skelvane::almanac {
namespace {

using skelvane::test::ScopedZone;

TEST(Almanac, HolidaysInTableOrderWithTheZonesClockChanges) {
    {
        ScopedZone zone("EST5EDT,M3.2.0,M11.1.0");
        const RunResult result =
            run({"holidays", "--from-year", "2024", "--to-year", "2024", "--json"});
        ASSERT_EQ(result.status, 0) << result.err;
        const auto output = lines(result.out);
        ASSERT_EQ(output.size(), 27u);
        EXPECT_EQ(output[0], R"({"year":2024,"name":"New Year's Day","date":"2024-01-01"})");
        // source: 2024 calendar; the US clock change of 10 March at 02:00
        EXPECT_NE(result.out.find(R"({"year":2024,"name":"Easter","date":"2024-03-31"})"),
                  std::string::npos);
        EXPECT_NE(
            result.out.find(
                R"({"year":2024,"name":"Clock Ahead 1H","date":"2024-03-10","time":"02:00"})"),
            std::string::npos);
        std::string previous;
        for (const auto& line : output) {
            const std::string date = line.substr(line.find("\"date\""));
            EXPECT_LE(previous, date) << "sorted by date";
            previous = date;
        }
    }
    ScopedZone noDaylightSaving("UTC0");
    const RunResult result =
        run({"holidays", "--from-year", "2024", "--to-year", "2025", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(lines(result.out).size(), 54u);
    EXPECT_NE(result.out.find(R"({"year":2025,"name":"Clock Back 1H","date":null,"time":null})"),
              std::string::npos);
    EXPECT_EQ(run({"holidays", "--from-year", "1600", "--to-year", "1601"}).status, 2);
}

TEST(Almanac, HebrewDates) {
    const RunResult result =
        run({"hebrew", "--from", "2024-10-02", "--to", "2024-10-03", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    // source: the Jewish New Year 5785 began on 3 October 2024
    EXPECT_EQ(lines(result.out).at(1),
              R"({"date":"2024-10-03","year":5785,"month":7,"month_name":"Tishri","day":1})");
}

TEST(Almanac, EclipsesOf2024) {
    const RunResult result =
        run({"eclipses", "--from-year", "2024", "--to-year", "2024", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto output = lines(result.out);
    // source: 2024 eclipses: 25 Mar penumbral lunar, 8 Apr total solar, 18 Sep partial lunar,
    // 2 Oct annular solar
    ASSERT_EQ(output.size(), 4u);
    EXPECT_EQ(output[0].rfind(R"({"kind":0,"name":"Lunar - Penumbral","max_ut":"2024-03-25T)", 0),
              0u)
        << output[0];
    EXPECT_NE(output[0].find(R"("partial_start":null,"total_start":null)"), std::string::npos);
    const std::string& total = output[1];
    EXPECT_EQ(total.rfind(R"({"kind":5,"name":"Solar - Total","max_ut":"2024-04-08T18:)", 0), 0u)
        << total;
    EXPECT_NE(total.find(R"("magnitude":-1,"hemisphere":1)"), std::string::npos);
    // Track points sit on whole 10-minute marks of UT.
    const std::regex point(R"(\{"ut":"2024-04-08T\d\d:\d0:00Z","lat":)");
    const auto points = std::distance(std::sregex_iterator(total.begin(), total.end(), point),
                                      std::sregex_iterator());
    EXPECT_GE(points, 5) << total;
    EXPECT_NE(output[3].find("\"kind\":4"), std::string::npos);
}

TEST(Almanac, PlanetTable) {
    const RunResult result = run({"planets", "--utc", "2024-01-01T00:00:00Z", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto output = lines(result.out);
    ASSERT_EQ(output.size(), 8u);
    const std::regex shape(
        R"(\{"body":"[A-Za-z]+","ra":[-0-9.e]+,"dec":[-0-9.e]+,"elongation":[-0-9.e]+,"ra_text":"[ 0-9]\d \d\d\.\d\d","dec_text":"[+-] \d+ \d\d\.\d"\})");
    for (const auto& line : output)
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
    EXPECT_EQ(output[2].rfind(R"({"body":"Mars")", 0), 0u);
    EXPECT_EQ(output[7].rfind(R"({"body":"Pluto")", 0), 0u);
}

} // namespace
} // namespace skelvane::almanac
