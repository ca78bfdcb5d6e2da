// A POSIX TZ rule comes from the TZ variable or the end of a zone file: any text. One that
// parses must give a record the engine can use in every year it computes: transitions on
// real instants of their year's neighbourhood, offsets within a day or two of UTC.
#include "astro/posix_tz.h"
#include "astro/timezone.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// Stops the run with the line of the failed check, which the fuzzer's report then shows.
void Check(bool condition, int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}

void CheckRule(const skelvane::TransitionRule& rule) {
    for (const int year : {1, 1600, 1899, 1900, 1970, 2024, 2100, 3999, 9999}) {
        const skelvane::DateTime instant = skelvane::TransitionInstant(rule, year);
        Check(std::isfinite(instant));
        if (instant == 0 || rule.kind == skelvane::TransitionRule::Kind::None)
            continue;
        // The rule's day within its year, moved by at most a week either way by its time.
        const skelvane::DateTime yearStart = skelvane::SafeEncodeDate(year, 1, 1);
        if (yearStart != 0)
            Check(instant > yearStart - 8 && instant < yearStart + 366 + 8);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto record = ParsePosixTzRule(text);
    if (!record)
        return 0;
    Check(!record->standardName.empty() && record->standardName.size() <= 32);
    Check(record->daylightName.size() <= 32);
    Check(std::abs(record->bias) <= 25 * 60);
    CheckRule(record->standardDate);
    CheckRule(record->daylightDate);
    for (const DateTime utc : {-693593.0, 0.0, 45000.25, 45500.75, 2958465.5}) {
        const TimeZoneState state = ComputeTimeZoneState(record, utc);
        Check(std::isfinite(state.offsetHours) && std::fabs(state.offsetHours) <= 50);
        Check(std::isfinite(state.daylightStart) && std::isfinite(state.daylightEnd));
    }
    return 0;
}
