#pragma once

#include "astro/format_date.h"

#include <string>

class QLocale;
class QString;

namespace skelvane {

// The date patterns the clock window takes from the user's locale, in FormatDate syntax.
struct LocaleDateFormats {
    std::string longDate;           // the date line under the big time
    std::string shortDate;          // M/D/YYYY and D/M/YYYY forms get two-digit fields
    std::string shortDateShortYear; // shortDate with yyyy turned into yy
};

// Rewrites a Qt date pattern (M for month, quoted literals) in FormatDate syntax; letters
// that are not date fields are quoted so they print as they stand.
std::string DatePatternFromQt(const QString& qtPattern);

// Applies the short-date rules to a pattern already in FormatDate syntax.
LocaleDateFormats MakeLocaleDateFormats(const std::string& longDate, const std::string& shortDate);
LocaleDateFormats LocaleDateFormatsFrom(const QLocale& locale);

// Month and day names of a locale.
DateLocale DateLocaleFrom(const QLocale& locale);

// The locale's first day of the week as 0 = Monday .. 6 = Sunday.
int FirstDayOfWeekIndex(const QLocale& locale);

} // namespace skelvane
