#include "net/decode/weather_fields.h"

#include "net/decode/report_text.h"

namespace skelvane {

namespace {

// One statute mile in metres.
constexpr double kMetresPerMile = 1609.344;

} // namespace

std::string_view ReportFieldValue(std::string_view report, std::string_view upperToken) {
    const std::size_t at = FindIgnoringAsciiCase(report, upperToken);
    if (at == std::string_view::npos)
        return {};
    const std::size_t afterToken = at + upperToken.size();
    std::size_t lineEnd = report.find('\n', afterToken);
    if (lineEnd == std::string_view::npos)
        lineEnd = report.size();
    // The character right after the label is its separating blank.
    const std::size_t begin = NextCharacter(report, afterToken);
    if (begin >= lineEnd)
        return {};
    return TrimControls(report.substr(begin, lineEnd - begin));
}

std::string_view WindSpeedText(std::string_view report) {
    const std::size_t mph = FindIgnoringAsciiCase(report, "MPH");
    if (mph == std::string_view::npos)
        return {};
    // The character just before "MPH" is its separating blank; the word ends before it.
    const std::size_t end = PreviousCharacter(report, mph);
    std::size_t begin = end;
    while (begin > 0 && report[begin - 1] != ' ' && report[begin - 1] != '\n')
        --begin;
    return TrimControls(report.substr(begin, end - begin));
}

std::string Capitalise(std::string_view text) {
    std::string out(text);
    bool startOfWord = true;
    for (char& c : out) {
        if (startOfWord && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        startOfWord = static_cast<unsigned char>(c) < 33;
    }
    return out;
}

double ReadTemperatureF(std::string_view report) {
    std::string_view value = ReportFieldValue(report, "TEMPERATURE:");
    value = value.substr(0, value.find('('));
    std::string number;
    for (char c : value)
        if (c == '-' || c == '.' || (c >= '0' && c <= '9'))
            number.push_back(c);
    return ParseDecimalNumber(number).value_or(kNoTemperature);
}

std::string WindText(std::string_view report, std::string_view temperatureUnits) {
    const std::string_view speed = WindSpeedText(report);
    if (speed.empty()) {
        std::string wind = Capitalise(ReportFieldValue(report, "WIND:"));
        if (FindIgnoringAsciiCase(wind, "CALM") != std::string::npos)
            return "Calm";
        return wind;
    }
    const bool kilometres = temperatureUnits == "C";
    std::string text(speed);
    if (kilometres) {
        if (const auto mph = ParseDecimalNumber(speed))
            text = WholeNumberText(RoundHalfEven(*mph * kMetresPerMile / 1000.0));
    }
    return text + (kilometres ? " Kph" : " Mph");
}

std::string SkyConditionsText(std::string_view report) {
    return Capitalise(ReportFieldValue(report, "SKY CONDITIONS:"));
}

std::string WeatherConditionsText(std::string_view report) {
    return Capitalise(ReportFieldValue(report, "WEATHER:"));
}

std::string HumidityText(std::string_view report) {
    return Capitalise(ReportFieldValue(report, "HUMIDITY:"));
}

} // namespace skelvane
