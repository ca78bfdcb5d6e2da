#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace skelvane::almanac {

// Runs one almanac command (the words after the program name) and returns the exit
// status: 0 on success, 2 for bad arguments (one line on err).
int RunAlmanac(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace skelvane::almanac
