#include "net/decode/radar_frame_time.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace skelvane {
namespace {

TEST(GetRadarFileTimeStamp, ReadsTheUtcInstantOfAFrameName) {
    struct Case {
        const char* name;
        std::optional<DateTime> utc;
    };
    const DateTime dec1 = SafeEncodeDate(2020, 12, 1);
    const Case cases[] = {
        {"OKX_20201201_1545_N0R.gif", dec1 + (15 * 60 + 45) / 1440.0},
        {"OKX_20201201_1545_Short_Warnings.gif", dec1 + (15 * 60 + 45) / 1440.0},
        {"OKX_20201201_1545_N0R_Legend.gif", dec1 + (15 * 60 + 45) / 1440.0},
        {"OKX_20201201_0000_N0R.gif", dec1},
        {"OKX_20201201_2359", dec1 + (23 * 60 + 59) / 1440.0},            // nothing after the time
        {"OKX__20201201__1545_N0R.gif", dec1 + (15 * 60 + 45) / 1440.0},  // empty words skipped
        {"OKX_ 20201201 _1545 _N0R.gif", dec1 + (15 * 60 + 45) / 1440.0}, // words trimmed
        {"OKX_202012019_15459_N0R.gif", dec1 + (15 * 60 + 45) / 1440.0},  // extra digits ignored
        {"OKX_20200229_1200_N0R.gif", SafeEncodeDate(2020, 2, 29) + 0.5},
        {"OKX_18991230_0000_N0R.gif", 0.0}, // the epoch itself is a real instant
        {"OKX_00011231_1200_N0R.gif", SafeEncodeDate(1, 12, 31) + 0.5},
        {"OKX_20190229_1200_N0R.gif", std::nullopt}, // no 29 February in 2019
        {"OKX_20201301_1545_N0R.gif", std::nullopt},
        {"OKX_20201200_1545_N0R.gif", std::nullopt},
        {"OKX_00001201_1545_N0R.gif", std::nullopt}, // no year 0
        {"OKX_20201201_2400_N0R.gif", std::nullopt},
        {"OKX_20201201_1560_N0R.gif", std::nullopt},
        {"OKX_2020121_1545_N0R.gif", std::nullopt}, // seven digits: no day
        {"OKX_20201201_154_N0R.gif", std::nullopt},
        {"OKX_2020-1-1_1545_N0R.gif", std::nullopt},
        {"OKX_+2020101_1545_N0R.gif", std::nullopt},
        {"OKX_20201201", std::nullopt},
        {"OKX.gif", std::nullopt},
        {"", std::nullopt},
        {"<a href=", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<DateTime> utc = GetRadarFileTimeStamp(c.name);
        ASSERT_EQ(utc.has_value(), c.utc.has_value()) << c.name;
        if (utc) {
            EXPECT_NEAR(*utc, *c.utc, 0.1 / 86400) << c.name;
        }
    }
}

TEST(RadarFrameTimeUtc, FrameTimeStampElseTheDownloadTime) {
    const std::vector<std::string> names = {"OKX_20201201_1540_N0R.gif", "broken.gif"};
    const DateTime download = SafeEncodeDateTime(2020, 12, 1, 15, 52, 10, 0);
    EXPECT_NEAR(RadarFrameTimeUtc(names, 0, download),
                SafeEncodeDateTime(2020, 12, 1, 15, 40, 0, 0), 1e-9);
    EXPECT_EQ(RadarFrameTimeUtc(names, 1, download), download);
    EXPECT_EQ(RadarFrameTimeUtc(names, 2, download), download);
    EXPECT_EQ(RadarFrameTimeUtc(names, -1, download), download);
    EXPECT_EQ(RadarFrameTimeUtc({}, 0, download), download);
}

TEST(RadarTimeLabelText, AgeLocalTimeAndUtcStamp) {
    const DateTime utc = SafeEncodeDateTime(2020, 12, 1, 15, 45, 0, 0);
    const DateTime local = utc - 5.0 / 24; // EST
    struct Case {
        double minutesLater;
        bool use24Hour;
        const char* label;
    };
    const Case cases[] = {
        {0, false, " NY - New York City     1  mins ago at 10:45 AM   (12/01/2020 15:45 UTC )"},
        {5, true, " NY - New York City     6  mins ago at 10:45   (12/01/2020 15:45 UTC )"},
        {4.99, true, " NY - New York City     5  mins ago at 10:45   (12/01/2020 15:45 UTC )"},
        {125, false, " NY - New York City     126  mins ago at 10:45 AM   (12/01/2020 15:45 UTC )"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RadarTimeLabelText(" NY - New York City   ", utc, local,
                                     local + c.minutesLater / 1440, c.use24Hour),
                  c.label)
            << c.minutesLater;
}

} // namespace
} // namespace skelvane
