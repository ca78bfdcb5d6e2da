#pragma once

#include "common/json_line.h"

#include <ostream>
#include <string>

namespace skelvane::almanac {

using cli::IsoDate;
using cli::IsoInstant;
using cli::JsonLine;
using cli::NumberText;

// Writes each record either as a JSON line or as its readable text line.
class Output {
public:
    Output(std::ostream& stream, bool json) : stream_(stream), json_(json) {}
    void write(const JsonLine& json, const std::string& text) {
        stream_ << (json_ ? json.str() : text) << '\n';
    }

private:
    std::ostream& stream_;
    bool json_;
};

// hh:mm:ss of a count of hours (a time of day).
std::string ClockText(double hours);

} // namespace skelvane::almanac
