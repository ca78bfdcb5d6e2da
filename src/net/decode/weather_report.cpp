#include "net/decode/weather_report.h"

#include "net/decode/report_text.h"
#include "net/decode/report_wrap.h"
#include "net/decode/weather_fields.h"
#include "net/decode/weather_summary.h"

namespace skelvane {

namespace {

bool IsAsciiLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view upperPrefix) {
    return text.size() >= upperPrefix.size() &&
           FindIgnoringAsciiCase(text.substr(0, upperPrefix.size()), upperPrefix) == 0;
}

// Digits only, none missing; -1 otherwise.
int ReadDigits(std::string_view text) {
    if (text.empty())
        return -1;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::string ReportStationCode(std::string_view stationCode) {
    // A code goes into the request's path as it stands, so only the characters a station
    // code can hold are let through.
    if (stationCode.size() != 4)
        return std::string(kDefaultWeatherStation);
    std::string code;
    for (char c : stationCode) {
        if (!IsAsciiLetterOrDigit(c))
            return std::string(kDefaultWeatherStation);
        code.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return code;
}

std::string WeatherReportPath(std::string_view stationCode) {
    return std::string(kWeatherReportFolder) + ReportStationCode(stationCode) + ".TXT";
}

bool IsHtmlPage(std::string_view body) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (body.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        body.remove_prefix(kByteOrderMark.size());
    while (!body.empty() && static_cast<unsigned char>(body.front()) <= 32)
        body.remove_prefix(1);
    return StartsWithIgnoringAsciiCase(body, "<HTML") ||
           StartsWithIgnoringAsciiCase(body, "<!DOCTYPE HTML");
}

std::vector<std::string_view> SplitReportLines(std::string_view body) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < body.size()) {
        std::size_t end = body.find('\n', begin);
        const std::size_t next = end == std::string_view::npos ? body.size() : end + 1;
        if (end == std::string_view::npos)
            end = body.size();
        std::string_view line = body.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        begin = next;
    }
    return lines;
}

std::optional<DateTime> ReadObservationTime(std::string_view timeLine) {
    const std::size_t slash = timeLine.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    std::string_view text = timeLine.substr(slash + 1);
    text = TrimControls(text.substr(0, text.find('/')));
    if (text.size() < 15)
        return std::nullopt;
    const int year = ReadDigits(text.substr(0, 4));
    const int month = ReadDigits(text.substr(5, 2));
    const int day = ReadDigits(text.substr(8, 2));
    const int hour = ReadDigits(text.substr(11, 2));
    const int minute = ReadDigits(text.substr(13, 2));
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    return SafeEncodeDateTime(year, month, day, hour, minute, 0, 0);
}

std::string ReportTimeStampText(std::string_view timeLine) {
    const std::size_t slash = timeLine.find('/');
    if (slash == std::string_view::npos)
        return {};
    return std::string(FirstCharacters(timeLine.substr(0, slash), kTimeStampTextMax));
}

std::vector<std::string> ShownReportLines(const std::vector<std::string_view>& lines) {
    const std::size_t kept = lines.size() >= 2 ? lines.size() - 2 : 0;
    return WrapReportLines(std::vector<std::string>(lines.begin(), lines.begin() + kept));
}

std::vector<std::string> TextWindowLines(std::vector<std::string> shownLines) {
    if (shownLines.size() >= 2) {
        shownLines[0] += shownLines[1];
        shownLines.erase(shownLines.begin() + 1);
    }
    return shownLines;
}

DecodedWeatherReport DecodeWeatherReport(std::string_view body,
                                         const WeatherDecodeContext& context) {
    DecodedWeatherReport result;
    if (IsHtmlPage(body)) {
        result.status = WeatherReportStatus::HtmlPage;
        return result;
    }
    const std::string text = AsUtf8(body);
    const std::vector<std::string_view> lines = SplitReportLines(text);
    // The second line holds the time and the last two are cut, so a shorter body is no
    // report.
    if (lines.size() < 3) {
        result.status = WeatherReportStatus::TooShort;
        return result;
    }
    result.status = WeatherReportStatus::Report;
    result.observationUtc = ReadObservationTime(lines[1]);
    result.timeStampText = ReportTimeStampText(lines[1]);
    result.lines = ShownReportLines(lines);
    result.textWindowLines = TextWindowLines(result.lines);

    result.temperatureF = ReadTemperatureF(text);
    if (result.temperatureF > kNoTemperature)
        result.temperatureText = TemperatureText(result.temperatureF, context.temperatureUnits);
    WeatherTexts texts = ReadWeatherTexts(
        text, context.temperatureUnits,
        result.observationUtc.value_or(context.previousObservationUtc), context.nowUtc);
    result.skyText = std::move(texts.sky);
    result.weatherText = std::move(texts.weather);
    return result;
}

} // namespace skelvane
