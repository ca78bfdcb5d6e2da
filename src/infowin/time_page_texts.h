#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <string>

namespace skelvane {

// The texts of the Time page, from plain values. Panel texts start with one space.

// A clock panel: the time in `timeFormat` followed directly by the date in `longDate`.
QString ClockPanelText(DateTime value, const std::string& timeFormat, const std::string& longDate,
                       const DateLocale& names);

// Local sidereal time at a UTC instant for a longitude (degrees, east positive): Greenwich
// sidereal time plus the longitude, wrapped into one day, as " hh:mm:ss". A lone space for
// an instant outside the engine's years.
QString SiderealPanelText(DateTime utc, double longitude);

// The Julian date of a UTC instant with five decimals and the given separator.
QString JulianDatePanelText(DateTime utc, QChar decimalSeparator);

// The internet time result label: "PC Clock Adjusted:  " when the clock was set, else
// "Time Difference:  ", then the adjustment in seconds with three decimals and " Seconds".
QString TimeAdjustText(bool clockSet, double offsetDays, QChar decimalSeparator);

// A local time in the locale's short date and long time format, without a zone name
// ("12/25/24 3:07:42 PM" in the United States). Empty for a value that cannot be decoded.
QString LocaleDateTimeText(const QLocale& locale, DateTime value);

// The server box's text as stored: blanks around it removed, cut to 128 characters.
QString TimeServerSetting(const QString& boxText);

} // namespace skelvane
