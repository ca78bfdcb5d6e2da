#include "astro/posix_tz.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace skelvane {

namespace {

constexpr std::size_t kMaxNameLength = 32;
constexpr int kSecondsPerHour = 3600;
// Offsets are at most 24 h; transition times may run to 167 h either way (a week less an
// hour), which lets a rule name a day relative to a weekday.
constexpr int kMaxOffsetHours = 24;
constexpr int kMaxTransitionHours = 167;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Reads a rule left to right; every step fails softly so that garbled text yields nothing.
class RuleReader {
public:
    explicit RuleReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool Accept(char c) {
        if (Peek() != c)
            return false;
        ++pos_;
        return true;
    }

    // A zone abbreviation: three or more letters, or <...> holding letters, digits and signs.
    std::optional<std::string> Name() {
        std::size_t start = pos_;
        std::size_t end = pos_;
        if (Accept('<')) {
            start = pos_;
            while (IsAlpha(Peek()) || IsDigit(Peek()) || Peek() == '+' || Peek() == '-')
                ++pos_;
            end = pos_;
            if (!Accept('>'))
                return std::nullopt;
        } else {
            while (IsAlpha(Peek()))
                ++pos_;
            end = pos_;
        }
        if (end - start < 3)
            return std::nullopt;
        return std::string(text_.substr(start, std::min(end - start, kMaxNameLength)));
    }

    // [+|-]hh[:mm[:ss]] in seconds.
    std::optional<int> SignedTime(int maxHours) {
        int sign = 1;
        if (Accept('-'))
            sign = -1;
        else
            Accept('+');
        const auto hours = Number(3);
        if (!hours || *hours > maxHours)
            return std::nullopt;
        int seconds = *hours * kSecondsPerHour;
        if (Accept(':')) {
            const auto minutes = Number(2);
            if (!minutes || *minutes > 59)
                return std::nullopt;
            seconds += *minutes * 60;
            if (Accept(':')) {
                const auto secs = Number(2);
                if (!secs || *secs > 59)
                    return std::nullopt;
                seconds += *secs;
            }
        }
        return sign * seconds;
    }

    // Jn, n or Mm.w.d, optionally followed by /time.
    std::optional<TransitionRule> Rule() {
        TransitionRule rule;
        if (Accept('J')) {
            const auto day = Number(3);
            if (!day || *day < 1 || *day > 365)
                return std::nullopt;
            rule.kind = TransitionRule::Kind::JulianNoLeap;
            rule.dayOfYear = *day;
        } else if (Accept('M')) {
            const auto month = Number(2);
            if (!month || *month < 1 || *month > 12 || !Accept('.'))
                return std::nullopt;
            const auto week = Number(1);
            if (!week || *week < 1 || *week > 5 || !Accept('.'))
                return std::nullopt;
            const auto weekday = Number(1);
            if (!weekday || *weekday > 6)
                return std::nullopt;
            rule.kind = TransitionRule::Kind::MonthWeekDay;
            rule.month = *month;
            rule.week = *week;
            rule.dayOfWeek = *weekday;
        } else {
            const auto day = Number(3);
            if (!day || *day > 365)
                return std::nullopt;
            rule.kind = TransitionRule::Kind::ZeroBasedDay;
            rule.dayOfYear = *day;
        }
        rule.timeSeconds = 2 * kSecondsPerHour;
        if (Accept('/')) {
            const auto time = SignedTime(kMaxTransitionHours);
            if (!time)
                return std::nullopt;
            rule.timeSeconds = *time;
        }
        return rule;
    }

private:
    // One to maxDigits decimal digits.
    std::optional<int> Number(int maxDigits) {
        int value = 0;
        int digits = 0;
        while (IsDigit(Peek()) && digits < maxDigits) {
            value = value * 10 + (Peek() - '0');
            ++pos_;
            ++digits;
        }
        if (digits == 0 || IsDigit(Peek()))
            return std::nullopt;
        return value;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

TransitionRule MonthRule(int month, int week) {
    TransitionRule rule;
    rule.kind = TransitionRule::Kind::MonthWeekDay;
    rule.month = month;
    rule.week = week;
    rule.dayOfWeek = 0;
    return rule;
}

// Seconds west of Greenwich to whole minutes of bias.
int ToMinutes(int seconds) {
    return static_cast<int>(std::nearbyint(seconds / 60.0));
}

} // namespace

std::optional<TimeZoneRecord> ParsePosixTzRule(std::string_view text) {
    RuleReader reader(text);
    TimeZoneRecord record;

    const auto standardName = reader.Name();
    if (!standardName)
        return std::nullopt;
    const auto standardOffset = reader.SignedTime(kMaxOffsetHours);
    if (!standardOffset)
        return std::nullopt;
    record.standardName = *standardName;
    record.bias = ToMinutes(*standardOffset);
    if (reader.AtEnd())
        return record;

    const auto daylightName = reader.Name();
    if (!daylightName)
        return std::nullopt;
    record.daylightName = *daylightName;
    // Daylight time is one hour ahead of standard time unless the rule says otherwise.
    int daylightOffset = *standardOffset - kSecondsPerHour;
    if (reader.Peek() != ',' && !reader.AtEnd()) {
        const auto offset = reader.SignedTime(kMaxOffsetHours);
        if (!offset)
            return std::nullopt;
        daylightOffset = *offset;
    }
    record.daylightBias = ToMinutes(daylightOffset) - record.bias;

    if (reader.AtEnd()) {
        // A daylight name with no dates: the United States rules.
        record.daylightDate = MonthRule(3, 2);
        record.standardDate = MonthRule(11, 1);
        return record;
    }
    if (!reader.Accept(','))
        return std::nullopt;
    const auto start = reader.Rule();
    if (!start || !reader.Accept(','))
        return std::nullopt;
    const auto end = reader.Rule();
    if (!end || !reader.AtEnd())
        return std::nullopt;
    record.daylightDate = *start;
    record.standardDate = *end;
    return record;
}

} // namespace skelvane
