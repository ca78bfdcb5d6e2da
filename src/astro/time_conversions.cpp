#include "astro/time_conversions.h"

#include "astro/timezone.h"

#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

// Two date-time values closer than this (about 9 ms) stand for the same clock reading.
constexpr double kSameInstantDays = 1e-7;

bool ReadsAs(DateTime utc, DateTime local) {
    return std::abs(UtcToLocal(utc) - local) < kSameInstantDays;
}

} // namespace

DateTime UtcToLocal(DateTime utc) {
    return utc + TimeZoneOffsetHours(utc) / 24.0;
}

DateTime LocalToUtc(DateTime local) {
    // The offsets a day either side stand for the clock before and after any change near
    // this reading; away from a change they are the same. Each gives a candidate instant,
    // which counts when it reads back as the local time asked about.
    const DateTime before = local - TimeZoneOffsetHours(local - 1) / 24.0;
    const DateTime after = local - TimeZoneOffsetHours(local + 1) / 24.0;
    const bool beforeReads = ReadsAs(before, local);
    const bool afterReads = ReadsAs(after, local);
    DateTime result;
    if (beforeReads && afterReads)
        result = std::min(before, after); // a repeated reading: its first occurrence
    else if (beforeReads || afterReads)
        result = beforeReads ? before : after;
    else
        result = std::max(before, after); // a skipped reading: on the clock before the change
    TimeZoneOffsetHours(result);          // leave the zone state at the instant converted
    return result;
}

DateTime UtcToShown(DateTime utc, bool useLocalTime) {
    return useLocalTime ? UtcToLocal(utc) : utc;
}

DateTime ShownToUtc(DateTime shown, bool useLocalTime) {
    return useLocalTime ? LocalToUtc(shown) : shown;
}

} // namespace skelvane
