#include "common/arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace skelvane::cli {

namespace {

bool contains(const std::vector<std::string>& list, const std::string& word) {
    return std::find(list.begin(), list.end(), word) != list.end();
}

// Reads exactly `count` decimal digits at text[pos].
std::optional<int> digits(const std::string& text, size_t pos, size_t count) {
    if (pos + count > text.size())
        return std::nullopt;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

Arguments::Arguments(const std::vector<std::string>& words,
                     const std::vector<std::string>& valueOptions,
                     const std::vector<std::string>& flagOptions) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0)
            throw UsageError{"unexpected argument '" + word + "'"};
        const std::string name = word.substr(2);
        if (contains(flagOptions, name)) {
            flags_.push_back(name);
        } else if (contains(valueOptions, name)) {
            if (i + 1 >= words.size())
                throw UsageError{word + " needs a value"};
            if (values_.count(name))
                throw UsageError{word + " given twice"};
            values_[name] = words[++i];
        } else {
            throw UsageError{"unknown option '" + word + "'"};
        }
    }
}

bool Arguments::flag(const std::string& name) const {
    return contains(flags_, name);
}

const std::string& Arguments::text(const std::string& name) const {
    const auto found = values_.find(name);
    if (found == values_.end())
        throw UsageError{"--" + name + " is required"};
    return found->second;
}

double Arguments::number(const std::string& name, double min, double max) const {
    const std::string& value = text(name);
    double result = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
    if (error != std::errc() || end != value.data() + value.size() || !std::isfinite(result))
        throw UsageError{"--" + name + " needs a number, not '" + value + "'"};
    if (result < min || result > max)
        throw UsageError{"--" + name + " must lie between " + std::to_string(min) + " and " +
                         std::to_string(max)};
    return result;
}

double Arguments::numberOr(const std::string& name, double fallback, double min, double max) const {
    return has(name) ? number(name, min, max) : fallback;
}

int Arguments::integer(const std::string& name, int min, int max) const {
    const std::string& value = text(name);
    int result = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
    if (error != std::errc() || end != value.data() + value.size())
        throw UsageError{"--" + name + " needs a whole number, not '" + value + "'"};
    if (result < min || result > max)
        throw UsageError{"--" + name + " must lie between " + std::to_string(min) + " and " +
                         std::to_string(max)};
    return result;
}

int Arguments::integerOr(const std::string& name, int fallback, int min, int max) const {
    return has(name) ? integer(name, min, max) : fallback;
}

DateTime Arguments::date(const std::string& name) const {
    const std::optional<DateTime> value = ParseIsoDate(text(name));
    if (!value)
        throw UsageError{"--" + name + " needs a real date YYYY-MM-DD, not '" + text(name) + "'"};
    return *value;
}

DateTime Arguments::utcInstant(const std::string& name) const {
    const std::optional<DateTime> value = ParseIsoInstant(text(name));
    if (!value)
        throw UsageError{"--" + name + " needs an instant YYYY-MM-DDThh:mm:ssZ, not '" +
                         text(name) + "'"};
    return *value;
}

std::optional<DateTime> ParseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    if (!year || !month || !day)
        return std::nullopt;
    const DateTime value = SafeEncodeDate(*year, *month, *day);
    if (value == 0 && !(*year == 1899 && *month == 12 && *day == 30))
        return std::nullopt;
    return value;
}

std::optional<DateTime> ParseIsoInstant(const std::string& text) {
    if (text.size() != 20 || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        text[19] != 'Z')
        return std::nullopt;
    const std::optional<DateTime> date = ParseIsoDate(text.substr(0, 10));
    const auto hour = digits(text, 11, 2), minute = digits(text, 14, 2),
               second = digits(text, 17, 2);
    if (!date || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return *date + (*hour * 3600 + *minute * 60 + *second) / 86400.0;
}

} // namespace skelvane::cli
