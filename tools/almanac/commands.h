#pragma once

#include "almanac/output.h"
#include "common/arguments.h"

namespace skelvane::almanac {

using cli::Arguments;
using cli::ParseIsoDate;
using cli::ParseIsoInstant;
using cli::UsageError;

// Each command reads its own options and writes its records; bad options throw UsageError.
void SunCommand(const std::vector<std::string>& words, std::ostream& out);
void SeasonsCommand(const std::vector<std::string>& words, std::ostream& out);
void SunPositionCommand(const std::vector<std::string>& words, std::ostream& out);
void MoonCommand(const std::vector<std::string>& words, std::ostream& out);
void PhasesCommand(const std::vector<std::string>& words, std::ostream& out);
void MoonPositionCommand(const std::vector<std::string>& words, std::ostream& out);
void HolidaysCommand(const std::vector<std::string>& words, std::ostream& out);
void HebrewCommand(const std::vector<std::string>& words, std::ostream& out);
void EclipsesCommand(const std::vector<std::string>& words, std::ostream& out);
void PlanetsCommand(const std::vector<std::string>& words, std::ostream& out);
void PlaceCommand(const std::vector<std::string>& words, std::ostream& out);

// Thrown when a command's arguments are fine but its data is not (a missing or unreadable
// place list, nothing found): one line on stderr and exit status 1.
struct CommandFailure {
    std::string message;
};

// The inclusive range of dates of --from, --to and --step (days, default 1).
struct DateRange {
    DateTime from = 0;
    DateTime to = 0;
    int step = 1;
};
DateRange ReadDateRange(const Arguments& arguments);
// The observer of --lat, --lon (degrees, north and east positive) and --alt-ft.
struct Observer {
    double latitude = 0;
    double longitude = 0;
    double altitudeFeet = 0;
};
Observer ReadObserver(const Arguments& arguments);
// The options of the rise-and-set commands: the observer and a date range.
inline const std::vector<std::string> kRiseSetOptions = {"lat",  "lon", "alt-ft",
                                                         "from", "to",  "step"};

// --from-year and --to-year, inclusive.
std::pair<int, int> ReadYearRange(const Arguments& arguments, int minYear = 1, int maxYear = 9998);

} // namespace skelvane::almanac
