#include "astro/format_date.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace skelvane {

const DateLocale& EnglishDateLocale() {
    static const DateLocale locale{
        {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
        {"January", "February", "March", "April", "May", "June", "July", "August", "September",
         "October", "November", "December"},
        {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"},
        {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
    };
    return locale;
}

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}
bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (Lower(text[at + i]) != word[i])
            return false;
    }
    return true;
}

// The 12-hour clock is used when the pattern, outside quoted text, holds a marker.
bool HasHalfDayMarker(std::string_view pattern) {
    char quote = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (StartsWithNoCase(pattern, i, "am/pm") || StartsWithNoCase(pattern, i, "a/p")) {
            return true;
        }
    }
    return false;
}

void AppendNumber(std::string& out, long long value, int minDigits) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", minDigits, value);
    out += text;
}

} // namespace

std::string FormatDate(std::string_view pattern, DateTime value, const DateLocale& locale) {
    const CivilDate date = DecodeDate(value);
    if (date.month < 1)
        return {}; // not a finite value in the decodable range
    const TimeOfDay time = DecodeTime(value);
    const int weekday = DayOfWeekIso(value); // 1..7
    const bool twelveHour = HasHalfDayMarker(pattern);
    const bool pm = time.hour >= 12;

    std::string out;
    // Whether the last letter seen was an hour, so that a following m or mm is the minute.
    bool afterHour = false;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const std::size_t close = pattern.find(c, i + 1);
            const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
            const std::string_view literal = pattern.substr(i + 1, end - i - 1);
            for (const char l : literal)
                afterHour = afterHour && !IsAsciiLetter(l);
            out += literal;
            i = end == pattern.size() ? end : end + 1;
            continue;
        }
        if (StartsWithNoCase(pattern, i, "am/pm")) {
            // The marker keeps the case in which the pattern wrote it.
            out += pattern.substr(pm ? i + 3 : i, 2);
            i += 5;
            afterHour = false;
            continue;
        }
        if (StartsWithNoCase(pattern, i, "a/p")) {
            out += pattern[pm ? i + 2 : i];
            i += 3;
            afterHour = false;
            continue;
        }

        const char letter = Lower(c);
        std::size_t count = 1;
        while (i + count < pattern.size() && Lower(pattern[i + count]) == letter)
            ++count;
        bool isHour = false;
        switch (letter) {
        case 'd':
            if (count == 1)
                AppendNumber(out, date.day, 1);
            else if (count == 2)
                AppendNumber(out, date.day, 2);
            else if (count == 3)
                out += locale.shortDayNames[weekday - 1];
            else
                out += locale.longDayNames[weekday - 1];
            break;
        case 'm':
            if (afterHour && count <= 2)
                AppendNumber(out, time.minute, static_cast<int>(count));
            else if (count <= 2)
                AppendNumber(out, date.month, static_cast<int>(count));
            else if (count == 3)
                out += locale.shortMonthNames[date.month - 1];
            else
                out += locale.longMonthNames[date.month - 1];
            break;
        case 'y':
            if (count <= 2)
                AppendNumber(out, std::abs(date.year) % 100, 2);
            else
                AppendNumber(out, date.year, 4);
            break;
        case 'h': {
            int hour = time.hour;
            if (twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            AppendNumber(out, hour, count >= 2 ? 2 : 1);
            isHour = true;
            break;
        }
        case 'n':
            AppendNumber(out, time.minute, count >= 2 ? 2 : 1);
            break;
        case 's':
            AppendNumber(out, time.second, count >= 2 ? 2 : 1);
            break;
        case 'z':
            AppendNumber(out, time.millisecond, count >= 2 ? 3 : 1);
            break;
        default:
            // Not a pattern letter: copied one character at a time.
            out += c;
            if (IsAsciiLetter(c))
                afterHour = false;
            ++i;
            continue;
        }
        afterHour = isHour;
        i += count;
    }
    return out;
}

} // namespace skelvane
