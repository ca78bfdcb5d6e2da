#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// Instants as milliseconds since 1970-01-01 00:00 UTC, read from and written as the
// ISO 8601 texts map servers and feeds use.

// "2026-12-01T15:45:12.345Z", "2026-12-01T15:45Z", "2026-12-01T10:45:12-05:00",
// "2026-12-01 15:45:12+00" and "2026-12-01T15:45:12" (read as UTC). Years 1970 ... 9999;
// fractions of a second past milliseconds are dropped. Nothing for anything else.
std::optional<std::int64_t> ParseIsoInstant(std::string_view text);

// "PT5M", "PT1H30M", "PT30S", "P1D", "P1DT6H": days, hours, minutes and whole or decimal
// seconds (no years, months or weeks, whose length varies). Nothing for anything else or
// for zero.
std::optional<std::int64_t> ParseIsoDuration(std::string_view text);

// "YYYY-MM-DDThh:mm:ss.mmmZ".
std::string IsoInstantText(std::int64_t unixMs);
// The radar file names' "YYYYMMDD_HHMM" (the minute, cut down).
std::string RadarStampText(std::int64_t unixMs);
// "YYYYJJJHHMM" (day of the year 001 ... 366), as in the satellite CDN's file names.
std::string OrdinalStampText(std::int64_t unixMs);
// Reads "YYYYJJJHHMM" back; nothing when it is not one.
std::optional<std::int64_t> ParseOrdinalStamp(std::string_view text);

// Days from 1970-01-01 of a proleptic Gregorian date (no range check).
std::int64_t DaysFromCivil(int year, int month, int day);

} // namespace skelvane
