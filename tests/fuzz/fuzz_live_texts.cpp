// The small texts the live sources read from servers and requests: a Cache-Control header,
// ISO 8601 instants and durations, and a request path. Whatever they hold, a header gives a
// freshness within a year, an instant that reads writes back and reads again the same, and
// a path is either no request or one naming a site, code or file that is one plain path
// segment.
#include "net/live/cache_control.h"
#include "net/live/iso_time.h"
#include "net/live/live_request.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// One path segment that names nothing above it ("a..b" is a plain name; ".." is not).
bool Plain(const std::string& text) {
    return text.find_first_of("/\\?#%\"<> ") == std::string::npos && text != "." && text != "..";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const CacheControl cache = ParseCacheControl(text);
    Check(cache.freshSeconds() >= 0 && cache.freshSeconds() <= 366LL * 24 * 3600);

    if (const std::optional<std::int64_t> instant = ParseIsoInstant(text)) {
        const std::optional<std::int64_t> again = ParseIsoInstant(IsoInstantText(*instant));
        Check(again && *again == *instant);
    }
    if (const std::optional<std::int64_t> duration = ParseIsoDuration(text))
        Check(*duration >= 0);
    if (const std::optional<std::int64_t> stamp = ParseOrdinalStamp(text)) {
        const std::optional<std::int64_t> again = ParseOrdinalStamp(OrdinalStampText(*stamp));
        Check(again && *again == *stamp);
    }

    const LiveRequest request = ClassifyLiveRequest(text);
    if (request.kind != LiveRequestKind::None) {
        Check(Plain(request.site) && Plain(request.code) && Plain(request.folder) &&
              Plain(request.fileName) && Plain(request.product));
    }
    return 0;
}
