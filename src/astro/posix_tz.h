#pragma once

#include "astro/timezone.h"

#include <optional>
#include <string_view>

namespace skelvane {

// Parses a POSIX TZ rule such as "EST5EDT,M3.2.0,M11.1.0" or "<+0330>-3:30" (the footer
// of a TZif file, or a TZ variable holding a rule) into a time-zone record. The names are
// the rule's abbreviations. A zone with a daylight name but no rules takes the US rules
// M3.2.0,M11.1.0. Returns nothing for text that is not a valid rule.
std::optional<TimeZoneRecord> ParsePosixTzRule(std::string_view rule);

} // namespace skelvane
