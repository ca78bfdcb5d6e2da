#pragma once

#include "astro/datetime.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace skelvane {

// The short texts made from a decoded report: the temperature text of the caption and the
// tray, the report's age, and the weather text (the summary shown under the temperature).
// All texts are UTF-8.

// Most characters the weather text may hold, and most kept of the sky text and the
// temperature text.
inline constexpr std::size_t kWeatherTextMax = 64;
inline constexpr std::size_t kSkyTextMax = 128;
inline constexpr std::size_t kTemperatureTextMax = 64;

double FahrenheitToCelsius(double temperatureF);

// The temperature rounded to a whole number (halves to even) followed by the degree sign
// U+00B0 as UTF-8: in degrees Celsius when `temperatureUnits` is "C", else Fahrenheit.
// 71.5 and 72.5 both give "72°"; at most kTemperatureTextMax characters.
std::string TemperatureText(double temperatureF, std::string_view temperatureUnits);

// Whole minutes from the observation to now (both UTC), cut toward zero, followed by
// " mins ago" when more than 1 and " min ago" otherwise: "0 min ago", "1 min ago",
// "2 mins ago". Times are compared to the millisecond, so two values that encode whole
// minutes give the exact difference. Empty when either value is not a usable date.
std::string WeatherAgeText(DateTime observationUtc, DateTime nowUtc);

// The summary from its parts: the sky, then each non-empty part of weather, wind,
// "Hum: " + humidity (when there is a humidity) and age, each after " \r" unless it comes
// first. Keeps the longest run of whole parts, in order, of at most kWeatherTextMax
// characters; empty when not even the first part fits (the shown weather text then stays
// as it was).
std::string JoinWeatherSummary(std::string_view sky, std::string_view weather,
                               std::string_view wind, std::string_view humidity,
                               std::string_view age);

struct WeatherTexts {
    std::string sky;     // capitalised sky conditions, at most kSkyTextMax characters
    std::string weather; // the summary; empty means "leave the shown one as it was"
};

// Sky text and weather text of a report (UTF-8) for the chosen units, with the age counted
// from `observationUtc` to `nowUtc`.
WeatherTexts ReadWeatherTexts(std::string_view report, std::string_view temperatureUnits,
                              DateTime observationUtc, DateTime nowUtc);

} // namespace skelvane
