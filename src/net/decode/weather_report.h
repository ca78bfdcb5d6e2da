#pragma once

#include "astro/datetime.h"
#include "net/decode/weather_fields.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Decoded observation reports: where a station's report is asked for, and what the program
// reads from the reply. A report looks like
//   New York City Central Park, NY, United States (KNYC) 40-47N 073-58W 47M
//   Oct 25, 2024 - 11:51 AM EDT / 2024.10.25 1551 UTC
//   Wind: from the NW (310 degrees) at 12 MPH (10 KT):0
//   ...
//   ob: KNYC 251551Z 31010KT 10SM FEW050 14/M02 A3015 RMK AO2 SLP212 T01391017
//   cycle: 16
// Everything here is plain text in and out: every returned text is UTF-8. A body that is
// not valid UTF-8 is read as Latin-1, one character a byte (reports are ASCII in practice).

inline constexpr std::string_view kDefaultWeatherStation = "KNYC";
inline constexpr std::string_view kWeatherReportFolder = "/pub/data/observations/metar/decoded/";
// The one report line shown after a download that failed on both servers.
inline constexpr std::string_view kSiteNotAvailable = "Site not available";
// Most characters kept of the time stamp text.
inline constexpr std::size_t kTimeStampTextMax = 128;

// The station whose report is fetched: the code upper-cased when it is exactly four ASCII
// letters or digits, else kDefaultWeatherStation ("abc" and "K/.." fetch KNYC).
std::string ReportStationCode(std::string_view stationCode);
// Path of a station's report on the report server, after ReportStationCode:
// "/pub/data/observations/metar/decoded/KNYC.TXT".
std::string WeatherReportPath(std::string_view stationCode);

// A web page sent in place of a report (an error page, a sign-in portal): after leading
// blanks and a byte-order mark, it starts "<HTML" or "<!DOCTYPE HTML" in any case.
bool IsHtmlPage(std::string_view body);

// The body's lines, split at line feeds; a carriage return ending a line is dropped, and a
// line feed that ends the body starts no further line. An empty body has no lines.
std::vector<std::string_view> SplitReportLines(std::string_view body);

// Observation time (UTC) from the report's second line: the text after its first "/" up to
// the next "/", trimmed, read as "YYYY.MM.DD HHMM" at fixed columns (the separators are not
// checked). Empty when a field is not all digits or the date or time does not exist.
std::optional<DateTime> ReadObservationTime(std::string_view timeLine);

// The time stamp text kept for the settings page: the second line before its first "/",
// untrimmed, at most kTimeStampTextMax characters; empty when the line has no "/".
std::string ReportTimeStampText(std::string_view timeLine);

// The report as shown: without its last two lines, then wrapped (WrapReportLines).
std::vector<std::string> ShownReportLines(const std::vector<std::string_view>& lines);

// The weather text window's lines: the shown lines with the second joined directly onto the
// first.
std::vector<std::string> TextWindowLines(std::vector<std::string> shownLines);

enum class WeatherReportStatus {
    Report,   // a report: use the result
    HtmlPage, // a web page instead of a report: change nothing
    TooShort, // fewer than three lines: change nothing
};

struct WeatherDecodeContext {
    std::string temperatureUnits = "F"; // "C" for Celsius and km/h, anything else Fahrenheit
    DateTime nowUtc = 0;
    // Used for the age when the report's own time cannot be read.
    DateTime previousObservationUtc = 0;
};

struct DecodedWeatherReport {
    WeatherReportStatus status = WeatherReportStatus::TooShort;
    bool usable() const { return status == WeatherReportStatus::Report; }

    std::vector<std::string> lines;           // the report as shown (ShownReportLines)
    std::vector<std::string> textWindowLines; // TextWindowLines of `lines`
    // The report's time; empty when unreadable, and the previous one should stay.
    std::optional<DateTime> observationUtc;
    std::string timeStampText; // ReportTimeStampText of the second line

    double temperatureF = kNoTemperature; // when the report has none
    std::string temperatureText;          // TemperatureText in the chosen units; empty without one
    std::string skyText;                  // capitalised sky conditions
    // The summary (JoinWeatherSummary); empty means the shown weather text stays as it was.
    // The age counts from observationUtc, else from the context's previous observation.
    // Sky and weather text are read whether or not there is a temperature; the clock shows
    // them only together with one.
    std::string weatherText;
};

// Reads a downloaded body. Any bytes give a result; only a Report status carries data.
DecodedWeatherReport DecodeWeatherReport(std::string_view body,
                                         const WeatherDecodeContext& context);

} // namespace skelvane
