#include "net/live/iso_time.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace skelvane {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Reads exactly `count` digits at `at`, moving past them.
std::optional<int> Digits(std::string_view text, std::size_t& at, std::size_t count) {
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[at + i];
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    at += count;
    return value;
}

struct Civil {
    int year, month, day;
};

Civil CivilFromDays(std::int64_t days) {
    // Counting in 400-year eras from 0000-03-01, so that leap days fall at the end of a year.
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const auto day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const auto month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const auto year =
        static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

struct Fields {
    Civil date;
    int hour, minute, second, millisecond;
};

Fields FieldsOf(std::int64_t unixMs) {
    std::int64_t days = unixMs / kMsPerDay;
    std::int64_t rest = unixMs % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    return {CivilFromDays(days), static_cast<int>(rest / 3600000),
            static_cast<int>(rest / 60000 % 60), static_cast<int>(rest / 1000 % 60),
            static_cast<int>(rest % 1000)};
}

} // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(y - era * 400);
    const auto shiftedMonth = static_cast<unsigned>(month > 2 ? month - 3 : month + 9);
    const unsigned dayOfYear = (153 * shiftedMonth + 2) / 5 + static_cast<unsigned>(day) - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

std::optional<std::int64_t> ParseIsoInstant(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    std::size_t at = 0;
    const auto year = Digits(text, at, 4);
    if (!year || at >= text.size() || text[at++] != '-')
        return std::nullopt;
    const auto month = Digits(text, at, 2);
    if (!month || at >= text.size() || text[at++] != '-')
        return std::nullopt;
    const auto day = Digits(text, at, 2);
    if (!day || at >= text.size() || (text[at] != 'T' && text[at] != ' '))
        return std::nullopt;
    ++at;
    const auto hour = Digits(text, at, 2);
    if (!hour || at >= text.size() || text[at++] != ':')
        return std::nullopt;
    const auto minute = Digits(text, at, 2);
    if (!minute)
        return std::nullopt;
    int second = 0, millisecond = 0;
    if (at < text.size() && text[at] == ':') {
        ++at;
        const auto s = Digits(text, at, 2);
        if (!s)
            return std::nullopt;
        second = *s;
        if (at < text.size() && (text[at] == '.' || text[at] == ',')) {
            ++at;
            int scale = 100;
            const std::size_t start = at;
            while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
                millisecond += (text[at] - '0') * scale;
                scale /= 10;
                ++at;
            }
            if (at == start)
                return std::nullopt;
        }
    }
    if (*year < 1970 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month) || *hour > 23 || *minute > 59 || second > 60)
        return std::nullopt;
    std::int64_t offsetMinutes = 0;
    if (at < text.size()) {
        const char sign = text[at++];
        if (sign == 'Z' || sign == 'z') {
            if (at != text.size())
                return std::nullopt;
        } else if (sign == '+' || sign == '-') {
            const auto offsetHours = Digits(text, at, 2);
            if (!offsetHours || *offsetHours > 23)
                return std::nullopt;
            int offsetMins = 0;
            if (at < text.size()) {
                if (text[at] == ':')
                    ++at;
                const auto m = Digits(text, at, 2);
                if (!m || *m > 59)
                    return std::nullopt;
                offsetMins = *m;
            }
            if (at != text.size())
                return std::nullopt;
            offsetMinutes = (*offsetHours * 60 + offsetMins) * (sign == '-' ? -1 : 1);
        } else {
            return std::nullopt;
        }
    }
    const std::int64_t days = DaysFromCivil(*year, *month, *day);
    const std::int64_t ms = days * kMsPerDay + *hour * 3600000LL + *minute * 60000LL +
                            second * 1000LL + millisecond - offsetMinutes * 60000;
    return ms < 0 ? std::nullopt : std::optional<std::int64_t>(ms);
}

std::optional<std::int64_t> ParseIsoDuration(std::string_view text) {
    if (text.size() < 3 || text.size() > 40 || text[0] != 'P')
        return std::nullopt;
    std::size_t at = 1;
    bool inTime = false;
    bool any = false;
    double total = 0;
    while (at < text.size()) {
        if (text[at] == 'T') {
            if (inTime)
                return std::nullopt;
            inTime = true;
            ++at;
            continue;
        }
        const std::size_t start = at;
        while (at < text.size() &&
               (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '.'))
            ++at;
        if (at == start || at >= text.size())
            return std::nullopt;
        double value = 0;
        const auto [end, error] = std::from_chars(text.data() + start, text.data() + at, value);
        if (error != std::errc() || end != text.data() + at)
            return std::nullopt;
        const char unit = text[at++];
        if (!inTime && unit == 'D')
            total += value * 86400000.0;
        else if (inTime && unit == 'H')
            total += value * 3600000.0;
        else if (inTime && unit == 'M')
            total += value * 60000.0;
        else if (inTime && unit == 'S')
            total += value * 1000.0;
        else
            return std::nullopt;
        any = true;
    }
    if (!any || total < 1 || total > 366.0 * 86400000.0)
        return std::nullopt;
    return static_cast<std::int64_t>(total + 0.5);
}

std::string IsoInstantText(std::int64_t unixMs) {
    const Fields f = FieldsOf(unixMs);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", f.date.year,
                  f.date.month, f.date.day, f.hour, f.minute, f.second, f.millisecond);
    return text;
}

std::string RadarStampText(std::int64_t unixMs) {
    const Fields f = FieldsOf(unixMs);
    char text[24];
    std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d", f.date.year, f.date.month, f.date.day,
                  f.hour, f.minute);
    return text;
}

std::string OrdinalStampText(std::int64_t unixMs) {
    const Fields f = FieldsOf(unixMs);
    const std::int64_t dayOfYear =
        DaysFromCivil(f.date.year, f.date.month, f.date.day) - DaysFromCivil(f.date.year, 1, 1) + 1;
    char text[24];
    std::snprintf(text, sizeof text, "%04d%03d%02d%02d", f.date.year, static_cast<int>(dayOfYear),
                  f.hour, f.minute);
    return text;
}

std::optional<std::int64_t> ParseOrdinalStamp(std::string_view text) {
    if (text.size() != 11)
        return std::nullopt;
    std::size_t at = 0;
    const auto year = Digits(text, at, 4);
    const auto dayOfYear = Digits(text, at, 3);
    const auto hour = Digits(text, at, 2);
    const auto minute = Digits(text, at, 2);
    if (!year || !dayOfYear || !hour || !minute || *year < 1970 || *dayOfYear < 1 ||
        *dayOfYear > (IsLeap(*year) ? 366 : 365) || *hour > 23 || *minute > 59)
        return std::nullopt;
    return (DaysFromCivil(*year, 1, 1) + *dayOfYear - 1) * kMsPerDay + *hour * 3600000LL +
           *minute * 60000LL;
}

} // namespace skelvane
