#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// The rule of the address history and the three look-up lists: an entry goes to the top
// of the list unless the list already holds it, compared ignoring ASCII case (other
// letters compare exactly), in which case the list stays as it is, order included. An
// empty entry is never added. True when the entry was added.
bool AddToHistoryList(std::vector<std::string>& list, std::string_view entry);

} // namespace skelvane
