#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace skelvane {

// What an answer's Cache-Control header allows (RFC 9111): how long it stays fresh and
// whether it may be kept at all.
struct CacheControl {
    std::optional<std::int64_t> maxAgeSeconds; // max-age (s-maxage is for shared caches)
    bool noStore = false;                      // must not be kept
    bool noCache = false;                      // must be asked again before each use
    // Seconds the answer may be reused without asking: 0 with no-store or no-cache or
    // without max-age.
    std::int64_t freshSeconds() const {
        return noStore || noCache || !maxAgeSeconds ? 0 : *maxAgeSeconds;
    }
};

// Reads a header value such as "public, max-age=300" or "no-store". Directive names are
// compared without regard to case; a max-age that is not a whole number of seconds, or a
// repeated one, is ignored; values beyond a year count as a year.
CacheControl ParseCacheControl(std::string_view header);

} // namespace skelvane
