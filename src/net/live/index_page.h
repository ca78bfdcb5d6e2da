#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

struct IndexEntry {
    std::string name;        // a plain file name
    std::int64_t unixMs = 0; // its modification time (UTC)
    std::int64_t bytes = -1; // its size; -1 shows "-"
};

// A web server's generated index page of the folder at `urlPath` ("/ridge/RadarImg/N0R/OKX/"),
// in the usual style: title and heading "Index of PATH", a column header, a "Parent
// Directory" line, then one line per entry in the order given, each
// `<a href="NAME">NAME</a>`, its time "DD-Mon-YYYY HH:MM" and its size. Names are written
// with &, <, > and " escaped.
std::string MakeIndexPage(std::string_view urlPath, const std::vector<IndexEntry>& entries);

} // namespace skelvane
