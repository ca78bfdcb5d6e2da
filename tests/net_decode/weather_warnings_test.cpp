#include "net/decode/weather_warnings.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace skelvane {
namespace {

// A warnings layer: a grey picture of the given size with some pixels painted.
class Layer {
public:
    Layer(int width, int height, std::size_t padding = 0)
        : width_(width), height_(height), stride_(static_cast<std::size_t>(width) * 3 + padding),
          bytes_(stride_ * static_cast<std::size_t>(height), 128) {}

    Layer& Paint(int x, int y, RgbColour colour) {
        std::uint8_t* pixel =
            bytes_.data() + static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x) * 3;
        pixel[0] = colour.red;
        pixel[1] = colour.green;
        pixel[2] = colour.blue;
        return *this;
    }
    std::vector<std::uint8_t>& bytes() { return bytes_; }
    RgbImageView View() const { return {bytes_, width_, height_, stride_}; }

private:
    int width_;
    int height_;
    std::size_t stride_;
    std::vector<std::uint8_t> bytes_;
};

TEST(GetWarning, TornadoAndFlashFloodFillTheFirstTwoLabelsInTheirColours) {
    Layer layer(40, 30);
    layer.Paint(35, 2, kFlashFloodColour).Paint(12, 20, kTornadoColour);
    const WeatherWarnings warnings = GetWarning(layer.View());
    EXPECT_EQ(warnings, (WeatherWarnings{false, true, false, true}));
    EXPECT_TRUE(warnings.any());

    const std::vector<std::string> labels = WarningLabelTexts(warnings);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0], "TORNADO WARNING");
    EXPECT_EQ(WarningLabelColour(labels[0]), (RgbColour{255, 0, 0}));
    EXPECT_EQ(labels[1], "Flash Flood Warning");
    EXPECT_EQ(WarningLabelColour(labels[1]), (RgbColour{139, 0, 0}));
}

TEST(GetWarning, NeverReadsTheBottomLeftPixel) {
    Layer layer(20, 10);
    layer.Paint(0, 9, kExtremeWeatherColour);
    EXPECT_FALSE(GetWarning(layer.View()).any());
    // Its neighbours are read.
    layer.Paint(1, 9, kSevereWeatherColour).Paint(0, 8, kTornadoColour);
    EXPECT_EQ(GetWarning(layer.View()), (WeatherWarnings{false, true, true, false}));
    // A single-pixel picture has nothing else to read.
    Layer one(1, 1);
    one.Paint(0, 0, kTornadoColour);
    EXPECT_FALSE(GetWarning(one.View()).any());
}

TEST(GetWarning, MatchesExactColoursOnlyAndIgnoresRowPadding) {
    Layer layer(10, 4, /*padding=*/5);
    layer.Paint(3, 1, {255, 20, 148}).Paint(4, 1, {254, 0, 0}).Paint(5, 1, {139, 0, 1});
    // Warning colours in the padding past each row's last pixel are no pixels.
    for (std::size_t row = 0; row < 4; ++row) {
        std::uint8_t* padding = layer.bytes().data() + row * 35 + 30;
        padding[0] = 255, padding[1] = 165, padding[2] = 0;
        padding[3] = 255, padding[4] = 0;
    }
    EXPECT_FALSE(GetWarning(layer.View()).any());
    layer.Paint(9, 3, kSevereWeatherColour);
    EXPECT_EQ(GetWarning(layer.View()), (WeatherWarnings{false, false, true, false}));
}

TEST(GetWarning, FindsAllFourAndListsThemInOrder) {
    Layer layer(8, 8);
    layer.Paint(7, 7, kFlashFloodColour)
        .Paint(6, 5, kSevereWeatherColour)
        .Paint(5, 3, kTornadoColour)
        .Paint(4, 1, kExtremeWeatherColour);
    const WeatherWarnings warnings = GetWarning(layer.View());
    EXPECT_EQ(warnings, (WeatherWarnings{true, true, true, true}));
    EXPECT_EQ(WarningLabelTexts(warnings),
              (std::vector<std::string>{"EXTREME WEATHER WARNING", "TORNADO WARNING",
                                        "Severe Weather Warning", "Flash Flood Warning"}));
    EXPECT_TRUE(WarningLabelTexts(WeatherWarnings{}).empty());
}

TEST(GetWarning, APictureItsBytesDoNotCoverHoldsNoWarnings) {
    std::vector<std::uint8_t> bytes(30, 0);
    bytes[3] = 255; // a tornado pixel, the second of the first row
    struct Case {
        const char* name;
        RgbImageView view;
        bool any;
    };
    const Case cases[] = {
        {"fits", {bytes, 10, 1, 30}, true},
        {"last row needs no padding", {std::span(bytes).first(20), 2, 3, 7}, true},
        {"one pixel short", {std::span(bytes).first(29), 10, 1, 30}, false},
        {"stride shorter than a row", {bytes, 10, 1, 29}, false},
        {"zero stride", {bytes, 1, 1, 0}, false},
        {"rows past the end", {bytes, 2, 6, 6}, false},
        {"huge stride", {bytes, 1, 2, SIZE_MAX}, false},
        {"negative size", {bytes, -1, 1, 30}, false},
        {"empty", {{}, 0, 0, 0}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetWarning(c.view).any(), c.any) << c.name;
}

TEST(WarningLabelColour, FollowsTheFirstLetterOfTheText) {
    struct Case {
        const char* text;
        std::optional<RgbColour> colour;
    };
    const Case cases[] = {
        {"EXTREME WEATHER WARNING", RgbColour{255, 20, 147}},
        {"TORNADO WARNING", RgbColour{255, 0, 0}},
        {"Severe Weather Warning", RgbColour{255, 165, 0}},
        {"Flash Flood Warning", RgbColour{139, 0, 0}},
        {"tornado warning", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WarningLabelColour(c.text), c.colour) << c.text;
}

} // namespace
} // namespace skelvane
