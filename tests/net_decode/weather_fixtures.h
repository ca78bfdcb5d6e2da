#pragma once

// Report bodies for the weather decoding tests: the demo server's files under
// data/demo/pub/data/observations/metar/decoded/ (see data/demo/README.md).
#include "astro/datetime.h"

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace skelvane::test {

inline std::string DemoReport(std::string_view station) {
    const std::string path = std::string(SKELVANE_DEMO_DATA) +
                             "/pub/data/observations/metar/decoded/" + std::string(station) +
                             ".TXT";
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The body with every line feed preceded by a carriage return.
inline std::string WithCrLf(std::string_view body) {
    std::string out;
    for (char c : body) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

inline std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

inline DateTime Utc(int year, int month, int day, int hour, int minute, int second = 0) {
    return SafeEncodeDateTime(year, month, day, hour, minute, second, 0);
}

} // namespace skelvane::test
