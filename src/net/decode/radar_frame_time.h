#pragma once

#include "astro/datetime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// The UTC time stamp in a radar frame's file name, SITE_YYYYMMDD_HHMM_..., e.g.
// "OKX_20201201_1545_N0R.gif" -> 2020-12-01 15:45:00 UTC as a Date-time value. The name is
// split at '_' (empty words skipped); the second word, trimmed of blanks and control
// characters, gives the year (characters 1-4), month (5-6) and day (7-8), the third word
// the hour (1-2) and minute (3-4); characters after those are ignored. Nothing when a field
// is missing or not all digits, or the fields do not form a real date (years 1 ... 9999)
// and time.
std::optional<DateTime> GetRadarFileTimeStamp(std::string_view name);

// The UTC time a frame shows (ShowRadarTime): the time stamp of radar frame name i when the
// list has one that reads, else the download time (UTC).
DateTime RadarFrameTimeUtc(const std::vector<std::string>& radarFrameNames, int frameIndex,
                           DateTime downloadTimeUtc);

// The time label LastRadarLab1: text + "  " + (age + 1) + "  mins ago at " + the frame's
// local time ("h:mm" on the 24-hour clock, else "h:mm AM/PM") + "   (" + its UTC date
// "mm/dd/yyyy" and time "hh:mm" + " UTC " + ")". The age is the whole minutes from the
// frame's local time to now (local), cut toward zero.
std::string RadarTimeLabelText(std::string_view text, DateTime frameUtc, DateTime frameLocal,
                               DateTime nowLocal, bool use24Hour);

} // namespace skelvane
