#include "net/decode/weather_warnings.h"

namespace skelvane {

namespace {

constexpr std::size_t kBytesPerPixel = 3;

// The scan rules pixels out by their red alone.
static_assert(kExtremeWeatherColour.red == 255 && kTornadoColour.red == 255 &&
              kSevereWeatherColour.red == 255 && kFlashFloodColour.red == 139);

bool CoversItsSize(const RgbImageView& image) {
    if (image.width <= 0 || image.height <= 0)
        return false;
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    if (image.stride < width * kBytesPerPixel)
        return false;
    // The last row needs only its pixels, not a whole stride. Sizes are bounded by the
    // buffer, so the products below cannot wrap once the division check has passed.
    if ((height - 1) > (image.bytes.size() / image.stride))
        return false;
    return (height - 1) * image.stride + width * kBytesPerPixel <= image.bytes.size();
}

} // namespace

WeatherWarnings GetWarning(const RgbImageView& image) {
    WeatherWarnings found;
    if (!CoversItsSize(image))
        return found;
    const auto width = static_cast<std::size_t>(image.width);
    const auto height = static_cast<std::size_t>(image.height);
    const auto seen = [](const std::uint8_t* pixel, const RgbColour& colour) {
        return pixel[0] == colour.red && pixel[1] == colour.green && pixel[2] == colour.blue;
    };
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* row = image.bytes.data() + y * image.stride;
        for (std::size_t x = 0; x < width; ++x) {
            if (x == 0 && y == height - 1)
                continue;
            const std::uint8_t* pixel = row + x * kBytesPerPixel;
            // Every warning colour has red 255 or 139: most pixels are ruled out at once.
            if (pixel[0] != 255 && pixel[0] != 139)
                continue;
            found.extremeWeather = found.extremeWeather || seen(pixel, kExtremeWeatherColour);
            found.tornado = found.tornado || seen(pixel, kTornadoColour);
            found.severeWeather = found.severeWeather || seen(pixel, kSevereWeatherColour);
            found.flashFlood = found.flashFlood || seen(pixel, kFlashFloodColour);
            if (found.extremeWeather && found.tornado && found.severeWeather && found.flashFlood)
                return found;
        }
    }
    return found;
}

std::vector<std::string> WarningLabelTexts(const WeatherWarnings& warnings) {
    std::vector<std::string> texts;
    if (warnings.extremeWeather)
        texts.emplace_back(kExtremeWeatherText);
    if (warnings.tornado)
        texts.emplace_back(kTornadoText);
    if (warnings.severeWeather)
        texts.emplace_back(kSevereWeatherText);
    if (warnings.flashFlood)
        texts.emplace_back(kFlashFloodText);
    return texts;
}

std::optional<RgbColour> WarningLabelColour(std::string_view labelText) {
    if (labelText.empty())
        return std::nullopt;
    switch (labelText.front()) {
    case 'E':
        return kExtremeWeatherColour;
    case 'T':
        return kTornadoColour;
    case 'S':
        return kSevereWeatherColour;
    case 'F':
        return kFlashFloodColour;
    default:
        return std::nullopt;
    }
}

} // namespace skelvane
