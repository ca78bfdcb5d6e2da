#pragma once

#include "astro/datetime.h"

#include <string>
#include <string_view>

namespace skelvane {

// LastSatelliteLab after a satellite download: the UTC instant as "mm dd yyyy  hh:mm", then
// " GMT = ", the local time as "hh:mm" (24-hour clock) or "h:mm AM" and the name of the local
// time zone in force: "03 14 2024  17:05 GMT = 1:05 PM Eastern Daylight Time".
// utcNow and localNow are the same instant in UTC and in local time.
std::string SatelliteTimeLabel(DateTime utcNow, DateTime localNow, bool useMilitaryTime,
                               std::string_view zoneName);

} // namespace skelvane
