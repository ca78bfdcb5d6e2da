#include "net/decode/weather_fields.h"

#include "weather_fixtures.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

TEST(ReportFieldValue, ReadsFromTheSecondCharacterAfterTheLabelToTheEndOfItsLine) {
    struct Case {
        const char* name;
        std::string report;
        const char* token;
        const char* value;
    };
    const Case cases[] = {
        {"label in any case", "x\nSky conditions: partly cloudy\ny",
         "SKY CONDITIONS:", "partly cloudy"},
        {"blanks and CR trimmed", "Weather:  light rain \r\nTemperature: 5 F",
         "WEATHER:", "light rain"},
        {"first occurrence wins", "Wind: Calm:0\nWind: from the N", "WIND:", "Calm:0"},
        {"label mid-line", "Relative Humidity: 71%\n", "HUMIDITY:", "71%"},
        {"last line without LF", "a\nHumidity: 40%", "HUMIDITY:", "40%"},
        {"one character is skipped even when not blank", "Wind:Calm", "WIND:", "alm"},
        {"the skipped character is a whole one", "Weather:\u00E9rain", "WEATHER:", "rain"},
        {"missing label", "Temperature: 5 F", "WEATHER:", ""},
        // An empty field must not pick up the following line's text.
        {"nothing after the label, LF", "Weather:\nSky conditions: clear", "WEATHER:", ""},
        {"one blank after the label, LF", "Weather: \nSky conditions: clear", "WEATHER:", ""},
        {"nothing after the label, CR LF", "Weather:\r\nSky conditions: clear", "WEATHER:", ""},
        {"label ends the text", "x Weather:", "WEATHER:", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportFieldValue(c.report, c.token), c.value) << c.name;
}

TEST(WindSpeedText, TakesTheWordBeforeTheFirstMph) {
    struct Case {
        const char* report;
        const char* speed;
    };
    const Case cases[] = {
        {"Wind: from the NW (310 degrees) at 12 MPH (10 KT):0", "12"},
        {"Wind: from the SW (230 degrees) at 26 MPH (23 KT) gusting to 39 MPH (34 KT):0", "26"},
        {"Visibility: 3 mile(s):0\n9 MPH", "9"}, // a line feed ends the word too
        {"7 mph", "7"},
        {"at 12\u00B0MPH", "12"}, // the skipped character is a whole one // found in any case
        {"Wind: Calm:0", ""},
        {"MPH at the start", ""},
        {"9 MPH", "9"},        // the start of the text ends the word
        {"Wind: at  MPH", ""}, // the character two before is a blank: no word
        {"12MPH", "1"},        // fixed offset: one character before is always skipped
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindSpeedText(c.report), c.speed) << c.report;
}

TEST(Capitalise, RaisesOnlyTheLetterAfterABlankOrControl) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"light rain; mist", "Light Rain; Mist"},
        {"partly cloudy", "Partly Cloudy"},
        {"from the N (direction variable):0", "From The N (direction Variable):0"},
        {"a\tb\rc", "A\tB\rC"},
        {"OVERCAST", "OVERCAST"},
        {"71%", "71%"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Capitalise(c.in), c.out) << c.in;
}

TEST(ReadTemperatureF, ReadsTheFahrenheitPartOrGivesTheNoTemperatureMark) {
    struct Case {
        std::string report;
        double temperature;
    };
    const Case cases[] = {
        {"Temperature: 57.0 F (13.9 C)\n", 57.0},
        {"Temperature: 46 F (8 C)\n", 46.0},
        {"Temperature: -3.9 F (-19.9 C)\n", -3.9},
        {"TEMPERATURE: 71.5 F\r\n", 71.5}, // no "(": the whole value
        {"Temperature: F (13.9 C)\n", kNoTemperature},
        {"Temperature: 1.2.3 F\n", kNoTemperature},
        {"Temperature: - F\n", kNoTemperature},
        {"Temperature:\nDew Point: 28.9 F (-1.7 C)\n", kNoTemperature},
        {"Dew Point: 28.9 F (-1.7 C)\n", kNoTemperature},
        // A number too large for a double is no reading either.
        {"Temperature: " + std::string(400, '9') + " F\n", kNoTemperature},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadTemperatureF(c.report), c.temperature) << c.report;
}

TEST(WindText, ConvertsToKphForCelsiusAndNamesCalmWind) {
    struct Case {
        const char* name;
        std::string report;
        const char* units;
        const char* wind;
    };
    const std::string nine = "Wind: from the S (180 degrees) at 9 MPH (8 KT):0\n";
    const std::string gusts =
        "Wind: from the SW (230 degrees) at 26 MPH (23 KT) gusting to 39 MPH (34 KT):0\n";
    const Case cases[] = {
        {"9 mph, Celsius", nine, "C", "14 Kph"},
        {"9 mph, Fahrenheit", nine, "F", "9 Mph"},
        {"gusts: the steady speed", gusts, "C", "42 Kph"}, // 26 x 1.609344 = 41.8
        {"lower-case units are not Celsius", nine, "c", "9 Mph"},
        {"calm", "Wind: Calm:0\n", "C", "Calm"},
        {"calm anywhere in the value", "Wind: variable, calm at times\n", "F", "Calm"},
        {"other wind without a speed", "Wind: from the N (direction variable):0\n", "F",
         "From The N (direction Variable):0"},
        {"a speed that is no number is kept", "Wind: at 1x MPH\n", "C", "1x Kph"},
        {"no wind", "Visibility: 10 mile(s):0\n", "F", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WindText(c.report, c.units), c.wind) << c.name;
}

TEST(ReportFields, ReadTheDemoReportsOfEveryStation) {
    struct Case {
        const char* station;
        double temperature;
        const char* sky;
        const char* weather;
        const char* humidity;
    };
    const Case cases[] = {
        {"KNYC", 57.0, "Partly Cloudy", "", "34%"},
        {"KDEN", 60.1, "Clear", "", "65%"},
        {"KSEA", 48.0, "Overcast", "Light Rain; Mist", "93%"},
        {"KBOS", kNoTemperature, "Overcast", "Light Rain", ""},
        {"EGLL", 46.0, "Mostly Cloudy", "", "76%"},
    };
    for (const Case& c : cases) {
        const std::string body = test::DemoReport(c.station);
        ASSERT_FALSE(body.empty()) << c.station;
        EXPECT_EQ(ReadTemperatureF(body), c.temperature) << c.station;
        EXPECT_EQ(SkyConditionsText(body), c.sky) << c.station;
        EXPECT_EQ(WeatherConditionsText(body), c.weather) << c.station;
        EXPECT_EQ(HumidityText(body), c.humidity) << c.station;
    }
}

} // namespace
} // namespace skelvane
