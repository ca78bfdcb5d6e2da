// The zone file behind TZ or /etc/localtime: any bytes. The first byte chooses whether the
// rest is the whole file (header, counts and blocks as they come) or the rule at the end of
// a well-formed version 2 file with empty blocks, so that the rule text itself varies freely.
// A footer found is printable ASCII taken from the file; it then goes to the rule reader, as
// the program's zone reading passes it on.
#include "astro/posix_tz.h"
#include "platform/tzif_footer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// A version 2 header whose six counts are all zero.
std::string EmptyHeader() {
    std::string header = "TZif2";
    header.append(44 - header.size(), '\0');
    return header;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skelvane;
    if (size < 1)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string file;
    if (data[0] & 1) {
        file = EmptyHeader() + EmptyHeader() + "\n" + std::string(rest) + "\n";
    } else {
        file = std::string(rest);
    }
    const auto footer = TzifFooter(file);
    if (!footer)
        return 0;
    Check(!footer->empty() && footer->size() + 2 <= file.size());
    Check(file.find(*footer) != std::string::npos);
    for (const char c : *footer)
        Check(c >= 0x20 && c <= 0x7E);
    ParsePosixTzRule(*footer);
    return 0;
}
