#include "net/decode/weather_summary.h"

#include "weather_fixtures.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace skelvane {
namespace {

using test::Utc;

TEST(TemperatureText, RoundsHalvesToEvenInTheChosenUnit) {
    struct Case {
        double temperatureF;
        const char* units;
        const char* text;
    };
    const Case cases[] = {
        {71.5, "F", "72\u00B0"},   {72.5, "F", "72\u00B0"}, {73.5, "F", "74\u00B0"},
        {-3.5, "F", "-4\u00B0"},   {-0.4, "F", "0\u00B0"},  // never "-0"
        {57.0, "C", "14\u00B0"},                            // 13.9
        {36.5, "C", "2\u00B0"},                             // exactly 2.5
        {31.5, "C", "0\u00B0"},                             // -0.28
        {-40.0, "C", "-40\u00B0"}, {50.0, "c", "50\u00B0"}, // only "C" means Celsius
        {50.0, "", "50\u00B0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TemperatureText(c.temperatureF, c.units), c.text)
            << c.temperatureF << " " << c.units;
}

TEST(TemperatureText, KeepsAtMostSixtyFourCharacters) {
    EXPECT_EQ(TemperatureText(1e300, "F").size(), kTemperatureTextMax);
}

TEST(WeatherAgeText, CountsWholeMinutesCutTowardZero) {
    const DateTime observed = Utc(2024, 10, 25, 15, 51);
    struct Case {
        DateTime now;
        const char* text;
    };
    const Case cases[] = {
        {observed, "0 min ago"},
        {Utc(2024, 10, 25, 15, 51, 59), "0 min ago"},
        {Utc(2024, 10, 25, 15, 52), "1 min ago"},
        {Utc(2024, 10, 25, 15, 52, 59), "1 min ago"},
        {Utc(2024, 10, 25, 15, 53), "2 mins ago"},
        {Utc(2024, 10, 25, 17, 1), "70 mins ago"},
        {Utc(2024, 10, 26, 15, 51), "1440 mins ago"},
        {Utc(2024, 10, 25, 15, 50, 30), "0 min ago"}, // a clock slightly behind
        {Utc(2024, 10, 25, 15, 49), "-2 min ago"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WeatherAgeText(observed, c.now), c.text) << c.now;
}

TEST(WeatherAgeText, WholeMinutesApartNeverLoseAMinuteToRounding) {
    // Encoded times of day are not exact binary fractions: their plain difference times
    // 1440 falls just below 2 for many pairs.
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 58; ++minute)
            ASSERT_EQ(WeatherAgeText(Utc(2024, 10, 25, hour, minute),
                                     Utc(2024, 10, 25, hour, minute + 2)),
                      "2 mins ago")
                << hour << ":" << minute;
}

TEST(WeatherAgeText, IsEmptyForValuesThatAreNoDate) {
    EXPECT_EQ(WeatherAgeText(0, std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(WeatherAgeText(-1e300, 45590.0), "");
}

TEST(JoinWeatherSummary, KeepsTheLongestRunOfWholePartsThatFitsInSixtyFour) {
    const std::string sky60(60, 's');
    std::string accented31;
    for (int i = 0; i < 31; ++i)
        accented31 += "\u00E9";
    struct Case {
        const char* name;
        std::string sky, weather, wind, humidity, age;
        std::string summary;
    };
    const Case cases[] = {
        {"all parts", "Overcast", "Light Rain; Mist", "9 Mph", "93%", "2 mins ago",
         "Overcast \rLight Rain; Mist \r9 Mph \rHum: 93% \r2 mins ago"},
        {"empty parts are left out", "Clear", "", "Calm", "", "0 min ago",
         "Clear \rCalm \r0 min ago"},
        {"no separator before the first part", "", "Fog", "", "", "1 min ago", "Fog \r1 min ago"},
        // 60 + " \r" + "ab" = 64 fits; one character more does not.
        {"exactly 64", sky60, "ab", "", "", "", sky60 + " \rab"},
        {"65 cuts the part", sky60, "abc", "", "", "", sky60},
        // Once a part overflows, later short parts are not taken either.
        {"ends at the first part that does not fit", "Mostly Cloudy",
         "Thunderstorm Heavy Rain; Small Hail/snow Pellets; Mist", "9 Mph", "93%", "2 mins ago",
         "Mostly Cloudy"},
        {"a sky too long leaves nothing", std::string(65, 's'), "Fog", "", "", "", ""},
        // Characters, not bytes: 31 two-byte letters, " \r" and 31 letters are 64.
        {"counts characters", accented31, std::string(31, 'w'), "", "", "",
         accented31 + " \r" + std::string(31, 'w')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JoinWeatherSummary(c.sky, c.weather, c.wind, c.humidity, c.age), c.summary)
            << c.name;
}

TEST(ReadWeatherTexts, BuildsSkyAndSummaryFromAReport) {
    const std::string body = test::DemoReport("KSEA");
    const DateTime observed = Utc(2024, 11, 19, 18, 53);
    const WeatherTexts celsius = ReadWeatherTexts(body, "C", observed, Utc(2024, 11, 19, 18, 55));
    EXPECT_EQ(celsius.sky, "Overcast");
    EXPECT_EQ(celsius.weather, "Overcast \rLight Rain; Mist \r14 Kph \rHum: 93% \r2 mins ago");
    const WeatherTexts fahrenheit = ReadWeatherTexts(body, "F", observed, observed);
    EXPECT_EQ(fahrenheit.weather, "Overcast \rLight Rain; Mist \r9 Mph \rHum: 93% \r0 min ago");
}

} // namespace
} // namespace skelvane
