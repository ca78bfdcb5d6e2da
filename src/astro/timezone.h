#pragma once

#include "astro/datetime.h"

#include <functional>
#include <optional>
#include <string>

namespace skelvane {

// When a zone changes between standard and daylight time, as a yearly rule.
struct TransitionRule {
    enum class Kind {
        None,         // no transition (month 0 in the record)
        MonthWeekDay, // the week-th dayOfWeek of month (week 5 = last)
        JulianNoLeap, // day of year 1..365, February 29 never counted
        ZeroBasedDay, // day of year 0..365, February 29 counted in leap years
    };
    Kind kind = Kind::None;
    int month = 0;     // 1..12 for MonthWeekDay
    int week = 0;      // 1..5, 5 = last
    int dayOfWeek = 0; // 0 = Sunday .. 6 = Saturday
    int dayOfYear = 0; // for the two day-of-year kinds
    // Local clock time of the change, in seconds after midnight of that day. May be
    // negative or 24 h and more: the change then falls on an earlier or later day.
    int timeSeconds = 7200;
};

// The computer's time-zone record: biases in minutes with UTC = local + bias.
struct TimeZoneRecord {
    int bias = 0;
    int standardBias = 0;
    int daylightBias = 0;
    TransitionRule standardDate; // start of standard time, in local daylight clock time
    TransitionRule daylightDate; // start of daylight time, in local standard clock time
    std::string standardName;    // at most 32 characters
    std::string daylightName;
};

// Result of the last reading of the record (see TimeZoneOffsetHours).
struct TimeZoneState {
    double offsetHours = 0; // add to UTC to get local time at the instant asked about
    bool daylightActive = false;
    bool hasDaylightSaving = false;
    std::string zoneName; // daylight name when daylight time is active, else standard
    std::string standardName;
    std::string daylightName;
    double baseOffsetHours = 0;    // -bias / 60
    double standardBiasHours = 0;  // -standardBias / 60
    double daylightBiasHours = 0;  // -daylightBias / 60
    double daylightShiftHours = 0; // (standardBias - daylightBias) / 60, normally 1
    DateTime daylightStart = 0;    // the year's transitions in local clock time; 0 = none
    DateTime daylightEnd = 0;
};

// Local clock instant of a rule's transition in a year; 0 when the rule has none.
DateTime TransitionInstant(const TransitionRule& rule, int year);

// The state of a record at a UTC instant (the pure core of TimeZoneOffsetHours).
// No record (a failed read) gives offset 0, empty names and no daylight saving. A record
// without both transitions is on standard time, under its standard name, all year.
// Transitions are those of the year of utc; whether daylight time is active is decided
// with the rules of the local year, so a rule that ends at or after midnight of
// December 31 still holds in the first hours of the new year.
TimeZoneState ComputeTimeZoneState(const std::optional<TimeZoneRecord>& record, DateTime utc);

// Where TimeZoneOffsetHours reads the computer's record. The platform layer installs the
// system reader at start-up; tests install fixed records. With no source, reads fail.
using TimeZoneRecordSource = std::function<std::optional<TimeZoneRecord>()>;
void SetTimeZoneRecordSource(TimeZoneRecordSource source);

// Reads the record afresh, stores the result for the year of utc as the current
// TimeZoneState and returns the offset in hours. User-interface thread only.
double TimeZoneOffsetHours(DateTime utc);
// The state left by the last call of TimeZoneOffsetHours.
const TimeZoneState& CurrentTimeZoneState();

} // namespace skelvane
