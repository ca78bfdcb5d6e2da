#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Breaking the lines of a report for the narrow memo and text window. Lines are UTF-8 and
// columns count characters; words are separated by spaces.

inline constexpr std::size_t kReportWrapColumn = 50;

struct BrokenLine {
    std::string_view first; // the piece that stays on the line
    std::string_view rest;  // what moves to a new line; empty when nothing does
};

// A line of at most `margin` characters stays whole. Otherwise the first piece is the
// longest run of whole words from the start of the line that ends at or before column
// `margin` (a word ending exactly there belongs to it), without the spaces after it; when
// the first word already runs past the margin, the first `margin` characters. The rest
// starts at the first non-space character after the first piece.
BrokenLine BreakReportLine(std::string_view line, std::size_t margin = kReportWrapColumn);

// Every line broken once at kReportWrapColumn: the first piece takes the line's place and
// a non-empty rest follows it as a line of its own, which is not broken again.
std::vector<std::string> WrapReportLines(const std::vector<std::string>& lines);

} // namespace skelvane
