#include "net/colour_quantizer.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace skelvane {
namespace {

std::vector<std::uint32_t> Distinct(int count) {
    std::vector<std::uint32_t> pixels;
    for (int i = 0; i < count; ++i)
        pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x010305 + 0x102030));
    return pixels;
}

// Smooth gradients over the whole cube, ripples included.
std::vector<std::uint32_t> Gradient(int width, int height, int low = 0, int high = 255) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double u = x / double(width), v = y / double(height);
            const auto level = [&](double t) {
                return static_cast<std::uint32_t>(low + (high - low) * std::clamp(t, 0.0, 1.0));
            };
            pixels.push_back(0xFF000000u | level(u) << 16 | level(v) << 8 |
                             level(0.5 + 0.5 * std::sin(7 * u + 5 * v)));
        }
    return pixels;
}

double MeanError(ColourQuantizer& quantizer, const std::vector<std::uint32_t>& pixels) {
    std::vector<std::uint8_t> indices(pixels.size());
    quantizer.map(pixels.data(), pixels.size(), indices.data());
    double sum = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t a = pixels[i], b = quantizer.palette()[indices[i]];
        for (const int shift : {16, 8, 0})
            sum += std::abs(static_cast<int>((a >> shift) & 0xFF) -
                            static_cast<int>((b >> shift) & 0xFF));
    }
    return sum / (3.0 * static_cast<double>(pixels.size()));
}

TEST(ColourQuantizer, KeepsEveryColourWhenTheyFit) {
    struct Case {
        int colours;
        int maxColours;
        bool exact;
    };
    for (const Case c : {Case{1, 256, true}, Case{200, 256, true}, Case{256, 256, true},
                         Case{255, 255, true}, Case{256, 255, false}, Case{300, 256, false}}) {
        const auto pixels = Distinct(c.colours);
        ColourQuantizer quantizer;
        quantizer.add(pixels.data(), pixels.size(), false);
        quantizer.build(c.maxColours);
        EXPECT_EQ(quantizer.exact(), c.exact) << c.colours << " into " << c.maxColours;
        EXPECT_LE(quantizer.palette().size(), static_cast<std::size_t>(c.maxColours));
        if (c.exact) {
            EXPECT_EQ(quantizer.palette().size(), pixels.size());
            for (const std::uint32_t pixel : pixels)
                EXPECT_EQ(quantizer.palette()[quantizer.indexOf(pixel)], pixel & 0xFFFFFFu);
        }
    }
}

TEST(ColourQuantizer, MoreColoursLeaveLessError) {
    const auto pixels = Gradient(160, 120);
    double previous = 1e9;
    for (const int colours : {2, 16, 64, 256}) {
        ColourQuantizer quantizer;
        quantizer.add(pixels.data(), pixels.size(), false);
        quantizer.build(colours);
        EXPECT_EQ(quantizer.palette().size(), static_cast<std::size_t>(colours));
        const double error = MeanError(quantizer, pixels);
        EXPECT_LT(error, previous) << colours << " colours";
        previous = error;
    }
    // The best fixed palette of 256 or fewer, six levels a channel (216 colours), does more
    // than twice as badly on this picture.
    double fixedError = 0;
    for (const std::uint32_t pixel : pixels)
        for (const int shift : {16, 8, 0}) {
            const int level = static_cast<int>((pixel >> shift) & 0xFF);
            fixedError += std::abs(level - (level + 25) / 51 * 51);
        }
    fixedError /= 3.0 * static_cast<double>(pixels.size());
    EXPECT_LT(previous, 6.0) << "256 colours for a smooth photograph-like picture";
    EXPECT_LT(previous, fixedError / 2) << "fixed palette " << fixedError;
}

TEST(ColourQuantizer, ThePaletteFollowsThePicturesOwnColours) {
    // 40 levels per channel in a narrow band of dark teal: no fixed palette comes close.
    const auto pixels = Gradient(200, 100, 60, 100);
    ColourQuantizer quantizer;
    quantizer.add(pixels.data(), pixels.size(), false);
    quantizer.build(256);
    EXPECT_FALSE(quantizer.exact());
    EXPECT_LT(MeanError(quantizer, pixels), 1.5);
    for (const std::uint32_t colour : quantizer.palette())
        for (const int shift : {16, 8, 0}) {
            EXPECT_GE(static_cast<int>((colour >> shift) & 0xFF), 60);
            EXPECT_LE(static_cast<int>((colour >> shift) & 0xFF), 100);
        }
}

TEST(ColourQuantizer, TransparentPixelsAreLeftOutOnlyWhenAsked) {
    const std::vector<std::uint32_t> pixels = {0xFF102030, 0x7FFF00FF, 0x00FF00FF, 0x80405060};
    ColourQuantizer skipping;
    skipping.add(pixels.data(), pixels.size(), true);
    skipping.build(256);
    EXPECT_TRUE(skipping.transparentSeen());
    EXPECT_EQ(skipping.palette(), (std::vector<std::uint32_t>{0x102030, 0x405060}));

    ColourQuantizer counting;
    counting.add(pixels.data(), pixels.size(), false);
    counting.build(256);
    EXPECT_FALSE(counting.transparentSeen());
    EXPECT_EQ(counting.palette(), (std::vector<std::uint32_t>{0x102030, 0xFF00FF, 0x405060}));
}

TEST(ColourQuantizer, NothingAddedGivesOneBlackEntry) {
    ColourQuantizer quantizer;
    quantizer.build(256);
    EXPECT_EQ(quantizer.palette(), std::vector<std::uint32_t>{0});
    EXPECT_EQ(quantizer.indexOf(0xFFFFFFFF), 0);
}

TEST(ColourQuantizer, ColoursOutsideTheCountedOnesMapToTheNearest) {
    const auto pixels = Gradient(64, 64);
    ColourQuantizer quantizer;
    quantizer.add(pixels.data(), pixels.size(), false);
    quantizer.build(32);
    // Exhaustive over a coarse lattice: the chosen entry is never much worse than the best.
    for (int r = 0; r < 256; r += 17)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 17) {
                const std::uint32_t colour = static_cast<std::uint32_t>(r << 16 | g << 8 | b);
                auto distance = [&](std::uint32_t p) {
                    const int dr = r - static_cast<int>(p >> 16 & 0xFF),
                              dg = g - static_cast<int>(p >> 8 & 0xFF),
                              db = b - static_cast<int>(p & 0xFF);
                    return std::sqrt(double(dr * dr + dg * dg + db * db));
                };
                double best = 1e9;
                for (const std::uint32_t p : quantizer.palette())
                    best = std::min(best, distance(p));
                // Colours of one grid cell (8 levels a side) share their entry.
                EXPECT_LE(distance(quantizer.palette()[quantizer.indexOf(colour)]), best + 14)
                    << std::hex << colour;
            }
}

} // namespace
} // namespace skelvane
