// The settings table keeps the ranges of stored indexes and counts as numbers, since the
// settings layer sits below the lists they select from. These checks keep both in step.
#include "app/info_window_link.h"
#include "app/settings.h"
#include "infowin/schedule_box.h"
#include "net/decode/forecast_address.h"
#include "net/decode/map_address.h"
#include "net/decode/radar_paths.h"
#include "net/decode/radar_views.h"
#include "net/decode/satellite_choices.h"

#include <QLatin1String>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

const ValueRange* RangeOf(const char* name) {
    for (const SettingField& field : SettingFields())
        if (QLatin1String(field.name) == QLatin1String(name))
            return &field.range;
    return nullptr;
}

TEST(SettingRangesTest, IndexesAndCountsSpanTheirListsAndControls) {
    const struct {
        const char* name;
        int minimum, maximum;
    } cases[] = {
        {"LastInfoFormTabIndex", 0, kInfoPageCount - 1},
        {"WeatherSourceBoxItemIndex", 0, kForecastSourceCount - 1},
        {"MapSiteIndex", 0, kMapSiteCount - 1},
        {"RadarLocationBoxIndex", 0, kRadarViewCount - 1},
        {"RadarReflectivityBoxIndex", 0, kRadarProductEntryCount - 1},
        {"SatelliteLocationBoxIndex", 0, kSatelliteLocationCount - 1},
        {"SatelliteTypeBoxIndex", 0, kSatelliteTypeCount - 1},
        {"SatelliteColorBoxIndex", 0, kSatelliteColorCount - 1},
        {"UpdateClockMinutes", ScheduleBox::kMinMinutes, ScheduleBox::kMaxMinutes},
        {"UpdateWeatherMinutes", ScheduleBox::kMinMinutes, ScheduleBox::kMaxMinutes},
    };
    for (const auto& c : cases) {
        const ValueRange* range = RangeOf(c.name);
        ASSERT_NE(range, nullptr) << c.name;
        EXPECT_EQ(range->kind, ValueRange::Kind::Between) << c.name;
        EXPECT_EQ(range->minimum, c.minimum) << c.name;
        EXPECT_EQ(range->maximum, c.maximum) << c.name;
    }
}

} // namespace
} // namespace skelvane
