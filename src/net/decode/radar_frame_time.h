#pragma once

#include "astro/datetime.h"

#include <optional>
#include <string_view>

namespace skelvane {

// The UTC time stamp in a radar frame's file name, SITE_YYYYMMDD_HHMM_..., e.g.
// "OKX_20201201_1545_N0R.gif" -> 2020-12-01 15:45:00 UTC as a Date-time value. The name is
// split at '_' (empty words skipped); the second word, trimmed of blanks and control
// characters, gives the year (characters 1-4), month (5-6) and day (7-8), the third word
// the hour (1-2) and minute (3-4); characters after those are ignored. Nothing when a field
// is missing or not all digits, or the fields do not form a real date (years 1 ... 9999)
// and time.
std::optional<DateTime> GetRadarFileTimeStamp(std::string_view name);

} // namespace skelvane
