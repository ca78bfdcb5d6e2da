#pragma once

#include "astro/datetime.h"

#include <array>
#include <string>
#include <string_view>

namespace skelvane {

// Month and day names used by FormatDate. English by default; the windows pass the
// user's locale.
struct DateLocale {
    std::array<std::string, 12> shortMonthNames; // January first
    std::array<std::string, 12> longMonthNames;
    std::array<std::string, 7> shortDayNames; // Monday first
    std::array<std::string, 7> longDayNames;
};
const DateLocale& EnglishDateLocale();

// Formats a date-time value with the date pattern syntax:
//   d dd ddd dddd   day, two-digit day, short and long day name
//   m mm mmm mmmm   month, two-digit month, short and long month name
//                   (m or mm right after h or hh, with no letter between, is the minute)
//   yy yyyy         two- and four-digit year
//   h hh            hour (12-hour clock when the pattern holds AM/PM, am/pm or a/p)
//   n nn  s ss      minute, second
//   z zzz           millisecond
//   AM/PM am/pm a/p the 12-hour marker in the case written
//   '…' "…"         literal text
// Any other character is copied as it stands.
// Letters are read in either case. A value that cannot be decoded gives an empty text.
std::string FormatDate(std::string_view pattern, DateTime value,
                       const DateLocale& locale = EnglishDateLocale());

} // namespace skelvane
