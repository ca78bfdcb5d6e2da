#include "astro/moon_picture.h"

#include "astro/datetime.h"
#include "astro/moon_calendar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace skelvane {
namespace {

constexpr std::uint32_t kLit = 0xFFFFFFFFu;

// The picture as text, one line per row: '#' for a shaded pixel, '.' for any other.
std::string Render(const std::vector<std::uint32_t>& pixels, int width) {
    std::string out;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        out += pixels[i] == kMoonShadowArgb ? '#' : '.';
        if ((i + 1) % static_cast<std::size_t>(width) == 0)
            out += '\n';
    }
    return out;
}

std::string Shade(double phaseAngle, int width = 7, int height = 7, int cx = 3, int cy = 3,
                  int r = 2) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, kLit);
    ShadeMoonPicture(pixels.data(), width, height, phaseAngle, cx, cy, r);
    return Render(pixels, width);
}

TEST(MoonPicture, RowsShadedAsDrawn) {
    // Radius 2 round (3, 3): the row half-widths l are 2, √3 ≈ 1.73 and 0.
    struct Case {
        const char* name;
        double angle;
        const char* picture;
    };
    const Case cases[] = {
        {"new moon: the whole disc", 180,
         ".......\n"
         "...#...\n"
         ".#####.\n"
         ".#####.\n"
         ".#####.\n"
         "...#...\n"
         ".......\n"},
        {"first quarter: the left half and the centre column", 90,
         ".......\n"
         "...#...\n"
         ".###...\n"
         ".###...\n"
         ".###...\n"
         "...#...\n"
         ".......\n"},
        {"last quarter (-90 taken as 270): the right half", -90,
         ".......\n"
         "...#...\n"
         "...###.\n"
         "...###.\n"
         "...###.\n"
         "...#...\n"
         ".......\n"},
        {"waning crescent (-120 as 240, cos -0.5): lit sliver on the left", -120,
         ".......\n"
         "...#...\n"
         "..####.\n"
         "..####.\n"
         "..####.\n"
         "...#...\n"
         ".......\n"},
        {"full moon: only the left rim pixel of each row", 0,
         ".......\n"
         "...#...\n"
         ".#.....\n"
         ".#.....\n"
         ".#.....\n"
         "...#...\n"
         ".......\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shade(c.angle), c.picture) << c.name << "\n" << Shade(c.angle);
}

TEST(MoonPicture, WaningCrescentIsDarkOnTheRight) {
    // Three days before the new moon of 2024-01-11 11:57 UT (USNO) the calendar model's
    // phase angle is negative, and the picture keeps only a sliver on its left lit.
    const DateTime when = SafeEncodeDateTime(2024, 1, 8, 12, 0, 0, 0);
    const double angle = MoonPhaseAngle(when);
    ASSERT_LT(angle, -100) << "waning crescent expected, angle " << angle;
    constexpr int kSize = 101, kCentre = 50, kRadius = 45;
    std::vector<std::uint32_t> pixels(kSize * kSize, kLit);
    ShadeMoonPicture(pixels.data(), kSize, kSize, angle, kCentre, kCentre, kRadius);
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * kSize + x]; };
    EXPECT_EQ(at(kCentre + 30, kCentre), kMoonShadowArgb) << "right of centre";
    EXPECT_EQ(at(kCentre, kCentre), kMoonShadowArgb) << "centre";
    EXPECT_EQ(at(kCentre + 30, kCentre - 20), kMoonShadowArgb) << "upper right";
    EXPECT_EQ(at(kCentre + 30, kCentre + 20), kMoonShadowArgb) << "lower right";
    EXPECT_EQ(at(kCentre - 43, kCentre), kLit) << "left limb lit";
    EXPECT_EQ(at(kCentre - 40, kCentre + 10), kLit) << "lower left limb lit";
    EXPECT_EQ(at(2, 2), kLit) << "outside the disc untouched";
}

TEST(MoonPicture, UnsafeArgumentsAreHarmless) {
    auto blank = [](const std::string& s) { return s.find('#') == std::string::npos; };
    ShadeMoonPicture(nullptr, 7, 7, 180, 3, 3, 2); // null buffer: no write
    EXPECT_TRUE(blank(Shade(std::numeric_limits<double>::quiet_NaN()))) << "NaN angle";
    EXPECT_TRUE(blank(Shade(180, 7, 7, 3, 3, -1))) << "negative radius";
    // A disc hanging over the corner shades only what lies inside the buffer.
    EXPECT_EQ(Shade(180, 4, 3, 0, 0, 2), "###.\n###.\n#...\n");
    // A centre far outside and a radius far beyond the picture: clipped, and quick.
    EXPECT_EQ(Shade(180, 3, 2, -5, 1, std::numeric_limits<int>::max()), "###\n###\n");
    EXPECT_TRUE(blank(Shade(180, 3, 2, 1, 1000, 5))) << "disc wholly below the picture";
}

} // namespace
} // namespace skelvane
