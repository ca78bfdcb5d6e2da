#include "platform/clock.h"

#include "astro/time_conversions.h"

#include <QDateTime>

namespace skelvane {

namespace {
// QDate::toJulianDay() of 1899-12-30, the zero of a date-time value.
constexpr qint64 kJulianDayOfZero = 2415019;
constexpr double kMsecsPerDay = 86400000.0;
} // namespace

DateTime DateTimeFromQt(const QDateTime& dateTime) {
    return static_cast<double>(dateTime.date().toJulianDay() - kJulianDayOfZero) +
           dateTime.time().msecsSinceStartOfDay() / kMsecsPerDay;
}

ShiftedClock ShiftedClock::StartingAt(const Clock& base, DateTime local) {
    return ShiftedClock(base, LocalToUtc(local) - base.nowUtc(), local - base.nowLocal());
}

DateTime SystemClock::nowUtc() const {
    return DateTimeFromQt(QDateTime::currentDateTimeUtc());
}

DateTime SystemClock::nowLocal() const {
    return DateTimeFromQt(QDateTime::currentDateTime());
}

} // namespace skelvane
