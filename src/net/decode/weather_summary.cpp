#include "net/decode/weather_summary.h"

#include "net/decode/report_text.h"
#include "net/decode/weather_fields.h"

#include <cmath>
#include <cstdint>

namespace skelvane {

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
// Further apart than any two dates of years 1..9999.
constexpr double kLargestDayDifference = 4e6;

} // namespace

double FahrenheitToCelsius(double temperatureF) {
    return (temperatureF - 32.0) * 5.0 / 9.0;
}

std::string TemperatureText(double temperatureF, std::string_view temperatureUnits) {
    const double shown = temperatureUnits == "C" ? FahrenheitToCelsius(temperatureF) : temperatureF;
    const std::string text = WholeNumberText(RoundHalfEven(shown)) + "\u00B0";
    return std::string(FirstCharacters(text, kTemperatureTextMax));
}

std::string WeatherAgeText(DateTime observationUtc, DateTime nowUtc) {
    const double days = nowUtc - observationUtc;
    if (!std::isfinite(days) || std::fabs(days) > kLargestDayDifference)
        return {};
    // Rounding to the millisecond first keeps 15:53 - 15:51 at two whole minutes instead of
    // 1.99999... that a plain cut would make one.
    const std::int64_t milliseconds = std::llround(days * kMillisecondsPerDay);
    const std::int64_t minutes = milliseconds / 60000; // C++ division cuts toward zero
    return std::to_string(minutes) + (minutes > 1 ? " mins ago" : " min ago");
}

std::string JoinWeatherSummary(std::string_view sky, std::string_view weather,
                               std::string_view wind, std::string_view humidity,
                               std::string_view age) {
    std::string summary(sky);
    std::string kept;
    if (CountCharacters(summary) <= kWeatherTextMax)
        kept = summary;
    const auto append = [&](std::string_view part) {
        if (part.empty())
            return;
        if (!summary.empty())
            summary += " \r";
        summary += part;
        if (CountCharacters(summary) <= kWeatherTextMax)
            kept = summary;
    };
    append(weather);
    append(wind);
    if (!humidity.empty())
        append("Hum: " + std::string(humidity));
    append(age);
    return kept;
}

WeatherTexts ReadWeatherTexts(std::string_view report, std::string_view temperatureUnits,
                              DateTime observationUtc, DateTime nowUtc) {
    WeatherTexts texts;
    const std::string sky = SkyConditionsText(report);
    texts.sky = std::string(FirstCharacters(sky, kSkyTextMax));
    texts.weather =
        JoinWeatherSummary(sky, WeatherConditionsText(report), WindText(report, temperatureUnits),
                           HumidityText(report), WeatherAgeText(observationUtc, nowUtc));
    return texts;
}

} // namespace skelvane
