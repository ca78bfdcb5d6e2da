#include "net/live/cache_control.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace skelvane {

namespace {

constexpr std::int64_t kYearSeconds = 365LL * 86400;

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool Is(std::string_view name, std::string_view directive) {
    return name.size() == directive.size() &&
           std::equal(name.begin(), name.end(), directive.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

CacheControl ParseCacheControl(std::string_view header) {
    CacheControl result;
    bool maxAgeSeen = false;
    while (!header.empty()) {
        const std::size_t comma = header.find(',');
        const std::string_view directive = Trim(header.substr(0, comma));
        header = comma == std::string_view::npos ? std::string_view() : header.substr(comma + 1);
        const std::size_t equals = directive.find('=');
        const std::string_view name = Trim(directive.substr(0, equals));
        std::string_view value = equals == std::string_view::npos
                                     ? std::string_view()
                                     : Trim(directive.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (Is(name, "no-store")) {
            result.noStore = true;
        } else if (Is(name, "no-cache")) {
            result.noCache = true;
        } else if (Is(name, "max-age")) {
            std::int64_t seconds = 0;
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), seconds);
            const bool whole = !value.empty() && end == value.data() + value.size() &&
                               (error == std::errc() || error == std::errc::result_out_of_range);
            if (whole && !maxAgeSeen && seconds >= 0) {
                result.maxAgeSeconds =
                    error == std::errc() ? std::min(seconds, kYearSeconds) : kYearSeconds;
            } else if (maxAgeSeen) {
                result.maxAgeSeconds.reset(); // two different ages: trust neither
            }
            maxAgeSeen = true;
        }
    }
    return result;
}

} // namespace skelvane
