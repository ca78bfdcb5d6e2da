// The date pattern formatter: any pattern, any date-time value (the first 8 bytes, so NaN,
// infinities and values far outside the calendar come too). The text is empty for a value
// that cannot be decoded and otherwise no longer than the longest thing each pattern letter
// can stand for.
#include "astro/format_date.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// Stops the run with the line of the failed check, which the fuzzer's report then shows.
void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    if (size < sizeof(double))
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    const std::string_view pattern(reinterpret_cast<const char*>(data + sizeof value),
                                   size - sizeof value);
    for (const DateTime when : {value, 45000.5, -693593.0}) {
        const std::string text = FormatDate(pattern, when);
        // "dddd" of four letters gives at most "Wednesday"; a lone letter at most 5 digits.
        Check(text.size() <= 10 * pattern.size());
        if (DecodeDate(when).month < 1)
            Check(text.empty());
    }
    return 0;
}
