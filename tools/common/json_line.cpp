#include "common/json_line.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace skelvane::cli {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    return out;
}

} // namespace

std::string NumberText(double number) {
    if (!std::isfinite(number))
        return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

std::string IsoDate(DateTime value) {
    const CivilDate date = DecodeDate(value);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

std::string IsoInstant(DateTime utc) {
    // Round to the second first so that 12:59:59.7 reads 13:00:00 and carries into the date.
    const DateTime rounded = std::floor(utc * 86400.0 + 0.5) / 86400.0;
    const CivilDate date = DecodeDate(rounded);
    const TimeOfDay time = DecodeTime(rounded);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02dZ", date.year, date.month,
                  date.day, time.hour, time.minute, time.second);
    return buffer;
}

void JsonLine::key(std::string_view name) {
    if (!body_.empty())
        body_ += ',';
    body_ += '"' + escaped(name) + "\":";
}

JsonLine& JsonLine::add(std::string_view name, std::string_view text) {
    key(name);
    body_ += '"' + escaped(text) + '"';
    return *this;
}

JsonLine& JsonLine::add(std::string_view name, double number) {
    key(name);
    body_ += NumberText(number);
    return *this;
}

JsonLine& JsonLine::add(std::string_view name, int number) {
    key(name);
    body_ += std::to_string(number);
    return *this;
}

JsonLine& JsonLine::addNull(std::string_view name) {
    key(name);
    body_ += "null";
    return *this;
}

JsonLine& JsonLine::addRaw(std::string_view name, std::string_view json) {
    key(name);
    body_ += json;
    return *this;
}

JsonLine& JsonLine::addInstant(std::string_view name, DateTime utc) {
    return add(name, IsoInstant(utc));
}

} // namespace skelvane::cli
