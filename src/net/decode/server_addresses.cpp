#include "net/decode/server_addresses.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace skelvane {

namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsHostNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.';
}

// The host part of a host setting, without its port ("[::1]:8089" gives "[::1]").
std::string_view HostPart(std::string_view hostWithPort) {
    if (!hostWithPort.empty() && hostWithPort.front() == '[') {
        const std::size_t close = hostWithPort.find(']');
        return close == std::string_view::npos ? hostWithPort : hostWithPort.substr(0, close + 1);
    }
    return hostWithPort.substr(0, hostWithPort.find(':'));
}

bool IsValidPort(std::string_view text) {
    if (text.empty() || text.size() > 5)
        return false;
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc() && end == text.data() + text.size() && port >= 1 && port <= 65535;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::string_view part : Split(text, ' '))
        if (!part.empty())
            words.push_back(part);
    return words;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

bool IsPathPrefix(std::string_view prefix) {
    return !prefix.empty() && prefix.front() == '/' &&
           std::all_of(prefix.begin(), prefix.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '/' || c == '-' ||
                      c == '_' || c == '.';
           });
}

} // namespace

std::span<const MovedLayout> KnownMovedLayouts() {
    static const std::array<MovedLayout, 1> table{{
        {"tgftp.nws.noaa.gov", "/pub/data/", "/data/", "https"},
    }};
    return table;
}

std::vector<MovedLayout> MovedLayoutsFromSetting(std::string_view text) {
    text = Trim(text);
    if (text.empty())
        return {KnownMovedLayouts().begin(), KnownMovedLayouts().end()};
    std::vector<MovedLayout> table;
    if (EqualsIgnoringCase(text, "none"))
        return table;
    for (std::string_view entry : Split(text, ';')) {
        const std::vector<std::string_view> words = Words(entry);
        if (words.size() != 4)
            continue;
        const std::string_view host = words[0];
        const bool plainHost =
            !host.empty() && std::all_of(host.begin(), host.end(), IsHostNameCharacter);
        if (!plainHost || !IsPathPrefix(words[1]) || !IsPathPrefix(words[2]) ||
            (words[3] != "http" && words[3] != "https"))
            continue;
        table.push_back({std::string(host), std::string(words[1]), std::string(words[2]),
                         std::string(words[3])});
    }
    return table;
}

bool IsValidHostSetting(std::string_view hostWithPort) {
    if (hostWithPort.empty() || hostWithPort.size() > 255)
        return false;
    std::string_view host = HostPart(hostWithPort);
    std::string_view rest = hostWithPort.substr(host.size());
    if (!rest.empty()) {
        if (rest.front() != ':' || !IsValidPort(rest.substr(1)))
            return false;
    }
    if (host.front() == '[') {
        if (host.size() < 4 || host.back() != ']')
            return false;
        const std::string_view inner = host.substr(1, host.size() - 2);
        return std::all_of(inner.begin(), inner.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
        });
    }
    return !host.empty() && host.front() != '.' && host.front() != '-' &&
           std::all_of(host.begin(), host.end(), IsHostNameCharacter);
}

std::optional<std::string> ServerAddress(std::string_view hostWithPort, std::string_view path,
                                         std::span<const MovedLayout> moved) {
    if (!IsValidHostSetting(hostWithPort) || path.empty() || path.front() != '/')
        return std::nullopt;
    const std::string_view host = HostPart(hostWithPort);
    for (const MovedLayout& layout : moved) {
        if (EqualsIgnoringCase(host, layout.host) && path.starts_with(layout.fromPrefix))
            return layout.scheme + "://" + std::string(hostWithPort) + layout.toPrefix +
                   std::string(path.substr(layout.fromPrefix.size()));
    }
    return "http://" + std::string(hostWithPort) + std::string(path);
}

} // namespace skelvane
