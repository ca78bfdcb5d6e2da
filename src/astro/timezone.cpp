#include "astro/timezone.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace skelvane {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kMinutesPerDay = 1440.0;

// Instants are compared in whole milliseconds: a transition and a UTC value shifted by the
// bias can land an ulp apart while naming the same moment.
std::int64_t Milliseconds(DateTime value) {
    return static_cast<std::int64_t>(std::nearbyint(value * kSecondsPerDay * 1000.0));
}

TimeZoneRecordSource& Source() {
    static TimeZoneRecordSource source;
    return source;
}

TimeZoneState& State() {
    static TimeZoneState state;
    return state;
}

DateTime RuleDate(const TransitionRule& rule, int year) {
    switch (rule.kind) {
    case TransitionRule::Kind::None:
        return 0;
    case TransitionRule::Kind::MonthWeekDay:
        if (rule.month < 1 || rule.month > 12 || rule.week < 1 || rule.week > 5 ||
            rule.dayOfWeek < 0 || rule.dayOfWeek > 6)
            return 0;
        // The rule counts Sunday as 0, the calendar helper as 7.
        return NthWeekdayDate(rule.dayOfWeek == 0 ? 7 : rule.dayOfWeek, year, rule.month,
                              rule.week);
    case TransitionRule::Kind::JulianNoLeap: {
        if (rule.dayOfYear < 1 || rule.dayOfYear > 365)
            return 0;
        const DateTime january1 = SafeEncodeDate(year, 1, 1);
        // Day 60 is always March 1: in a leap year February 29 is stepped over.
        const int leapDay = IsLeapYear(year) && rule.dayOfYear >= 60 ? 1 : 0;
        return january1 == 0 ? 0 : january1 + rule.dayOfYear - 1 + leapDay;
    }
    case TransitionRule::Kind::ZeroBasedDay: {
        if (rule.dayOfYear < 0 || rule.dayOfYear > 365)
            return 0;
        const DateTime january1 = SafeEncodeDate(year, 1, 1);
        return january1 == 0 ? 0 : january1 + rule.dayOfYear;
    }
    }
    return 0;
}

} // namespace

DateTime TransitionInstant(const TransitionRule& rule, int year) {
    const DateTime date = RuleDate(rule, year);
    if (date == 0)
        return 0;
    // Times of 24 h or more, or negative ones, move the change onto a later or earlier day.
    return date + rule.timeSeconds / kSecondsPerDay;
}

TimeZoneState ComputeTimeZoneState(const std::optional<TimeZoneRecord>& record, DateTime utc) {
    TimeZoneState state;
    if (!record)
        return state;

    // The state reports the transitions of the year of utc.
    const int year = DecodeDate(utc).year;
    state.daylightStart = TransitionInstant(record->daylightDate, year);
    state.daylightEnd = TransitionInstant(record->standardDate, year);
    state.hasDaylightSaving = state.daylightStart != 0 && state.daylightEnd != 0;
    if (!state.hasDaylightSaving) {
        state.daylightStart = 0;
        state.daylightEnd = 0;
    }

    // The start is stated in standard clock time and the end in daylight clock time, so each
    // is compared with the clock it is written in. The rules are those of the local year,
    // which differs from the year of utc for a few hours around the new year.
    const DateTime localStandard = utc - (record->bias + record->standardBias) / kMinutesPerDay;
    const DateTime localDaylight = utc - (record->bias + record->daylightBias) / kMinutesPerDay;
    if (state.hasDaylightSaving) {
        const int localYear = DecodeDate(localStandard).year;
        const DateTime startValue = TransitionInstant(record->daylightDate, localYear);
        const DateTime endValue = TransitionInstant(record->standardDate, localYear);
        if (startValue != 0 && endValue != 0) {
            const std::int64_t start = Milliseconds(startValue);
            const std::int64_t end = Milliseconds(endValue);
            const std::int64_t standardNow = Milliseconds(localStandard);
            const std::int64_t daylightNow = Milliseconds(localDaylight);
            if (end > start) // daylight time inside the calendar year (northern pattern)
                state.daylightActive = start <= standardNow && daylightNow < end;
            else // daylight time across the new year (southern pattern)
                state.daylightActive = start <= standardNow || daylightNow < end;
        }
    }

    const int activeBias = state.daylightActive ? record->daylightBias : record->standardBias;
    state.offsetHours = (-record->bias - activeBias) / 60.0;
    state.standardName = record->standardName;
    state.daylightName = record->daylightName;
    state.zoneName = state.daylightActive ? record->daylightName : record->standardName;
    state.baseOffsetHours = -record->bias / 60.0;
    state.standardBiasHours = -record->standardBias / 60.0;
    state.daylightBiasHours = -record->daylightBias / 60.0;
    state.daylightShiftHours = (record->standardBias - record->daylightBias) / 60.0;
    return state;
}

void SetTimeZoneRecordSource(TimeZoneRecordSource source) {
    Source() = std::move(source);
}

double TimeZoneOffsetHours(DateTime utc) {
    const TimeZoneRecordSource& source = Source();
    State() = ComputeTimeZoneState(source ? source() : std::nullopt, utc);
    return State().offsetHours;
}

const TimeZoneState& CurrentTimeZoneState() {
    return State();
}

} // namespace skelvane
