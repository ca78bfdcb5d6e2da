#include "net/decode/radar_frame_time.h"

#include "astro/format_date.h"

#include <cmath>

namespace skelvane {

namespace {

std::string_view NthWord(std::string_view text, char separator, int n) {
    int position = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start && ++position == n)
            return text.substr(start, end - start);
        start = end + 1;
    }
    return {};
}

// Blanks and control characters off both ends.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

// Characters first ... first + length - 1 (from 1) as a whole number made of digits only.
std::optional<int> DigitsAt(std::string_view word, std::size_t first, std::size_t length) {
    if (word.size() < first - 1 + length)
        return std::nullopt;
    const std::string_view digits = word.substr(first - 1, length);
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<DateTime> GetRadarFileTimeStamp(std::string_view name) {
    const std::string_view date = Trimmed(NthWord(name, '_', 2));
    const std::string_view time = Trimmed(NthWord(name, '_', 3));
    const auto year = DigitsAt(date, 1, 4);
    const auto month = DigitsAt(date, 5, 2);
    const auto day = DigitsAt(date, 7, 2);
    const auto hour = DigitsAt(time, 1, 2);
    const auto minute = DigitsAt(time, 3, 2);
    if (!year || !month || !day || !hour || !minute)
        return std::nullopt;
    if (*year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month) ||
        *hour > 23 || *minute > 59)
        return std::nullopt;
    // SafeEncodeDateTime reads 0 as "no date", but 1899-12-30 00:00 is a real instant that
    // also encodes as 0; the fields were checked above, so its value is taken as it is.
    return SafeEncodeDateTime(*year, *month, *day, *hour, *minute, 0, 0);
}

DateTime RadarFrameTimeUtc(const std::vector<std::string>& radarFrameNames, int frameIndex,
                           DateTime downloadTimeUtc) {
    if (frameIndex < 0 || static_cast<std::size_t>(frameIndex) >= radarFrameNames.size())
        return downloadTimeUtc;
    return GetRadarFileTimeStamp(radarFrameNames[static_cast<std::size_t>(frameIndex)])
        .value_or(downloadTimeUtc);
}

std::string RadarTimeLabelText(std::string_view text, DateTime frameUtc, DateTime frameLocal,
                               DateTime nowLocal, bool use24Hour) {
    // Whole milliseconds first, so that five minutes apart never reads as 4.99999 minutes.
    const double milliseconds = std::nearbyint((nowLocal - frameLocal) * 86'400'000.0);
    const long long minutes = std::isfinite(milliseconds) && std::fabs(milliseconds) < 1e15
                                  ? static_cast<long long>(milliseconds) / 60'000
                                  : 0;
    std::string label(text);
    label += "  " + std::to_string(minutes + 1) + "  mins ago at ";
    label += FormatDate(use24Hour ? "h:mm" : "h:mm AM/PM", frameLocal);
    label += "   (" + FormatDate("mm/dd/yyyy", frameUtc) + " " + FormatDate("hh:mm", frameUtc) +
             " UTC " + ")";
    return label;
}

} // namespace skelvane
