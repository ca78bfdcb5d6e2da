#pragma once

#include "astro/datetime.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace skelvane::cli {

// Thrown for any argument a tool cannot use; its main turns it into one line on stderr
// and exit status 2.
struct UsageError {
    std::string message;
};

// The options of one subcommand: "--name value" pairs and bare "--flag"s.
class Arguments {
public:
    // Reads argv after the subcommand. valueOptions take a value, flagOptions do not;
    // anything else is a usage error.
    Arguments(const std::vector<std::string>& words, const std::vector<std::string>& valueOptions,
              const std::vector<std::string>& flagOptions);

    bool flag(const std::string& name) const;
    bool has(const std::string& name) const { return values_.count(name) != 0; }
    // The option's text; a usage error when it is missing.
    const std::string& text(const std::string& name) const;

    // Typed readers: a usage error naming the option when the text is not a valid value.
    double number(const std::string& name, double min, double max) const;
    double numberOr(const std::string& name, double fallback, double min, double max) const;
    int integer(const std::string& name, int min, int max) const;
    int integerOr(const std::string& name, int fallback, int min, int max) const;
    // A Gregorian date YYYY-MM-DD as a date-time value at 00:00.
    DateTime date(const std::string& name) const;
    // An instant YYYY-MM-DDThh:mm:ssZ as a UTC date-time value.
    DateTime utcInstant(const std::string& name) const;

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> flags_;
};

// Parses YYYY-MM-DD (nothing when it is not a real date).
std::optional<DateTime> ParseIsoDate(const std::string& text);
// Parses YYYY-MM-DDThh:mm:ssZ (nothing when it is not a real instant).
std::optional<DateTime> ParseIsoInstant(const std::string& text);

} // namespace skelvane::cli
