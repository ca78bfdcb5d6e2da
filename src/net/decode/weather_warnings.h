#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Severe-weather warnings read from the radar warnings layer: each kind of warning is drawn
// in one exact colour, and the radar page shows a coloured label for every kind seen.

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// Layer colours, which the labels also take.
inline constexpr RgbColour kExtremeWeatherColour{255, 20, 147}; // deep pink
inline constexpr RgbColour kTornadoColour{255, 0, 0};           // red
inline constexpr RgbColour kSevereWeatherColour{255, 165, 0};   // orange
inline constexpr RgbColour kFlashFloodColour{139, 0, 0};        // dark red

inline constexpr std::string_view kExtremeWeatherText = "EXTREME WEATHER WARNING";
inline constexpr std::string_view kTornadoText = "TORNADO WARNING";
inline constexpr std::string_view kSevereWeatherText = "Severe Weather Warning";
inline constexpr std::string_view kFlashFloodText = "Flash Flood Warning";

struct WeatherWarnings {
    bool extremeWeather = false;
    bool tornado = false;
    bool severeWeather = false;
    bool flashFlood = false;
    bool any() const { return extremeWeather || tornado || severeWeather || flashFlood; }
    friend bool operator==(const WeatherWarnings&, const WeatherWarnings&) = default;
};

// A picture as rows of 3-byte pixels (red, green, blue), the first row at the top; `stride`
// bytes from the start of one row to the next.
struct RgbImageView {
    std::span<const std::uint8_t> bytes;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

// The warning colours the picture holds, scanning rows from the top, each from the left,
// and stopping once all four are found. The bottom-left pixel is never read: the layer may
// mark it with any colour. A picture whose bytes do not cover its size (or with a stride
// shorter than a row) holds no warnings.
WeatherWarnings GetWarning(const RgbImageView& image);

// The texts of the warnings seen, in the order extreme weather, tornado, severe weather,
// flash flood: the first goes to the first warning label, the second to the second, ...
std::vector<std::string> WarningLabelTexts(const WeatherWarnings& warnings);

// A warning label's colour, chosen by the first letter of its text: "E" deep pink, "T" red,
// "S" orange, "F" dark red; none for any other text.
std::optional<RgbColour> WarningLabelColour(std::string_view labelText);

} // namespace skelvane
