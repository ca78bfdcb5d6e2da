#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// A server whose files moved to another folder (and often to https) while the requests the
// program makes kept their old paths. Requests to `host` whose path starts with
// `fromPrefix` go to scheme://host + toPrefix + the rest of the path.
struct MovedLayout {
    std::string host;       // host name, compared without a port and ignoring case
    std::string fromPrefix; // "/pub/data/"
    std::string toPrefix;   // "/data/"
    std::string scheme;     // "https" or "http"
};

// The hosts known to have moved their layout, as of 2026-12:
// - tgftp.nws.noaa.gov serves the decoded observation reports (and the zone forecasts)
//   under /data/ instead of /pub/data/, and answers http:// with a redirect to https://.
std::span<const MovedLayout> KnownMovedLayouts();

// The table a setting asks for: entries "host fromPrefix toPrefix scheme" separated by ";"
// replace the built-in table; "none" turns it off; an empty text keeps the built-in one.
// Malformed entries (a prefix not starting with "/", a scheme other than http or https, a
// host that is not a plain host name) are left out.
std::vector<MovedLayout> MovedLayoutsFromSetting(std::string_view text);

// Whether a host setting can go into an address as it stands: a host name (letters, digits,
// "-" and "."), an IPv4 address, or a bracketed IPv6 address, each with an optional ":port"
// (1..65535). Nothing else: no scheme, path, user name, blanks or control characters.
bool IsValidHostSetting(std::string_view hostWithPort);

// The address of `path` on a server named by a host setting (which may carry ":port"):
// "http://" + host + path, or the moved layout's address when the host and the path's start
// match an entry. Nothing for a host setting that IsValidHostSetting refuses or a path that
// does not start with "/".
std::optional<std::string> ServerAddress(std::string_view hostWithPort, std::string_view path,
                                         std::span<const MovedLayout> moved);

} // namespace skelvane
