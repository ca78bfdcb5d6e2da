#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace skelvane::fetch {

// skelvane-fetch: the download layer from the command line. `words` are the arguments after
// the program name. Returns the exit status: 0 success, 1 a failed download, 2 bad
// arguments (one line on `err`).
int RunFetch(const std::vector<std::string>& words, std::ostream& out, std::ostream& err);

} // namespace skelvane::fetch
