#include "net/decode/report_wrap.h"

#include "net/decode/report_text.h"

namespace skelvane {

BrokenLine BreakReportLine(std::string_view line, std::size_t margin) {
    if (CountCharacters(line) <= margin)
        return {line, {}};
    // Byte index of the first character past the margin; the line is longer, so it exists.
    const std::size_t limit = ByteLengthOfCharacters(line, margin);
    std::size_t end = 0;
    for (std::size_t e = limit; e > 0; --e) {
        if (line[e] == ' ' && line[e - 1] != ' ') {
            end = e;
            break;
        }
    }
    if (end == 0)
        end = limit;
    std::size_t restBegin = end;
    while (restBegin < line.size() && line[restBegin] == ' ')
        ++restBegin;
    return {line.substr(0, end), line.substr(restBegin)};
}

std::vector<std::string> WrapReportLines(const std::vector<std::string>& lines) {
    std::vector<std::string> wrapped;
    wrapped.reserve(lines.size() + lines.size() / 2);
    for (const std::string& line : lines) {
        const BrokenLine broken = BreakReportLine(line);
        wrapped.emplace_back(broken.first);
        if (!broken.rest.empty())
            wrapped.emplace_back(broken.rest);
    }
    return wrapped;
}

} // namespace skelvane
