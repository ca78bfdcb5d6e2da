#pragma once

#include "astro/timezone.h"

#include <optional>
#include <string>

namespace skelvane {

// The POSIX TZ rule that closes a TZif file of version 2 or later (the text between its
// final two newlines). Nothing for a version 1 file, a file that is not TZif, a missing or
// unreadable file, a damaged one, or an empty rule.
std::optional<std::string> ReadTzifFooter(const std::string& path);

// The computer's time-zone record. The zone comes from the TZ environment variable (a
// leading ':' ignored; an absolute path is a TZif file; a name is looked up under $TZDIR
// or /usr/share/zoneinfo; failing that, TZ is read as a POSIX rule; set but empty means
// UTC), else from /etc/localtime. Long names ("Eastern Standard Time") come from the zone
// database when the zone has a known id, else the rule's abbreviations are used. Cheap
// enough to call every second: the result is kept until TZ or the zone file changes.
std::optional<TimeZoneRecord> ReadSystemTimeZoneRecord();

// Makes TimeZoneOffsetHours read the computer's record.
void InstallSystemTimeZoneSource();

} // namespace skelvane
