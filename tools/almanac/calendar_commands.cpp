// holidays and hebrew: the calendar rules from the engine.
#include "almanac/commands.h"

#include "astro/hebrew_calendar.h"
#include "astro/holidays.h"

#include <cmath>
#include <cstdio>

namespace skelvane::almanac {

namespace {

bool IsClockChange(Holiday holiday) {
    return holiday == Holiday::ClockAhead || holiday == Holiday::ClockBack;
}

// hh:mm of a value's time of day.
std::string HourMinuteText(DateTime value) {
    const TimeOfDay time = DecodeTime(value);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", time.hour, time.minute);
    return buffer;
}

} // namespace

void HolidaysCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"from-year", "to-year"}, {"json"});
    // The years the calendar itself shows; the clock changes follow the process's zone.
    const auto [from, to] = ReadYearRange(arguments, 1601, 3428);
    Output output(out, arguments.flag("json"));
    for (int year = from; year <= to; ++year) {
        // A copy: the table is rebuilt when another year is asked for.
        const HolidayTable table = HolidayTableFor(year);
        for (const HolidayEntry& entry : table.entries) {
            JsonLine json;
            json.add("year", year).add("name", entry.name);
            std::string text = std::to_string(year) + "  ";
            if (entry.date == 0) {
                json.addNull("date");
                text += "----------";
            } else {
                json.add("date", IsoDate(entry.date));
                text += IsoDate(entry.date);
            }
            if (IsClockChange(entry.holiday)) {
                if (entry.date == 0) {
                    json.addNull("time");
                } else {
                    json.add("time", HourMinuteText(entry.date));
                    text += " " + HourMinuteText(entry.date);
                }
            }
            output.write(json, text + "  " + std::string(entry.name));
        }
    }
}

void HebrewCommand(const std::vector<std::string>& words, std::ostream& out) {
    const Arguments arguments(words, {"from", "to", "step"}, {"json"});
    const DateRange range = ReadDateRange(arguments);
    Output output(out, arguments.flag("json"));
    for (DateTime day = range.from; day <= range.to; day += range.step) {
        const HebrewDateResult hebrew = DateToHebrew(day);
        JsonLine json;
        json.add("date", IsoDate(day));
        if (!hebrew.ok()) {
            output.write(json.add("error", hebrew.error), IsoDate(day) + "  " + hebrew.error);
            continue;
        }
        const std::string monthName(HebrewMonthName(hebrew.date.month));
        output.write(json.add("year", hebrew.date.year)
                         .add("month", hebrew.date.month)
                         .add("month_name", monthName)
                         .add("day", hebrew.date.day),
                     IsoDate(day) + "  " + std::to_string(hebrew.date.day) + " " + monthName + " " +
                         std::to_string(hebrew.date.year));
    }
}

} // namespace skelvane::almanac
