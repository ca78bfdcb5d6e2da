#pragma once

#include "astro/datetime.h"

namespace skelvane {

// The one home of conversions between the computer's local clock time, UTC and the time
// the displays show. Each reads the zone offset at the instant being converted (through
// TimeZoneOffsetHours, so the current TimeZoneState is left at that instant), never at
// "now". User-interface thread only, like TimeZoneOffsetHours.

// UTC instant → local clock time at that instant.
DateTime UtcToLocal(DateTime utc);

// Local clock time → UTC, the offset taken at the instant itself. On the day the clocks go
// back a local time that occurs twice is read as its first occurrence (daylight time); a
// local time skipped when the clocks go forward is read on the clock before the change, so
// it lands the skipped amount later (02:30 on a spring-forward night at 02:00 reads as
// 03:30 daylight time).
DateTime LocalToUtc(DateTime local);

// The time the displays show for a UTC instant: local clock time, or UTC itself in
// Greenwich mode (UseLocalTime off).
DateTime UtcToShown(DateTime utc, bool useLocalTime);

// The inverse of UtcToShown: a shown time back to its UTC instant.
DateTime ShownToUtc(DateTime shown, bool useLocalTime);

} // namespace skelvane
