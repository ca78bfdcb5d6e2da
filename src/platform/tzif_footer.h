#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// The POSIX TZ rule that closes the contents of a TZif file of version 2 or later (the text
// between its final two newlines), read by the layout of RFC 8536. Nothing for a version 1
// file, bytes that are not TZif, a damaged file or an empty rule, and for a rule holding
// anything but printable ASCII.
std::optional<std::string> TzifFooter(std::string_view data);

} // namespace skelvane
