#include "net/decode/radar_directory.h"

#include <algorithm>

namespace skelvane {

namespace {

// ASCII only, whatever the C locale says: file names and keys are ASCII.
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether text contains key, ASCII letters compared without regard to case. An empty key
// is never contained: it stands for "no key".
bool ContainsNoCase(std::string_view text, std::string_view key) {
    if (key.empty() || key.size() > text.size())
        return false;
    const auto found = std::search(text.begin(), text.end(), key.begin(), key.end(),
                                   [](char a, char b) { return Upper(a) == Upper(b); });
    return found != text.end();
}

bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Upper(x)) < static_cast<unsigned char>(Upper(y));
    });
}

// Calls visit(word, position from 1) for each non-empty run between '"' characters until
// visit returns true; returns whether it did.
template <class Visit> bool ForEachQuotedWord(std::string_view line, Visit&& visit) {
    int position = 0;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find('"', start), line.size());
        if (end > start && visit(line.substr(start, end - start), ++position))
            return true;
        start = end + 1;
    }
    return false;
}

std::string_view NthQuotedWord(std::string_view line, int n) {
    std::string_view found;
    ForEachQuotedWord(line, [&](std::string_view word, int position) {
        if (position != n)
            return false;
        found = word;
        return true;
    });
    return found;
}

} // namespace

RadarDirectoryListing ReadRadarDirectory(std::string_view body, std::string_view key1,
                                         std::string_view key2, int count) {
    RadarDirectoryListing listing;
    if (body.empty()) {
        listing.status = RadarDirectoryStatus::EmptyBody;
        return listing;
    }
    if (count < 1) {
        listing.status = RadarDirectoryStatus::NothingAsked;
        return listing;
    }

    const bool filtered = !key1.empty() || !key2.empty();
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < body.size()) {
        std::size_t end = start;
        while (end < body.size() && body[end] != '\r' && body[end] != '\n')
            ++end;
        const std::string_view line = body.substr(start, end - start);
        if (!filtered || ((key1.empty() || ContainsNoCase(line, key1)) &&
                          (key2.empty() || ContainsNoCase(line, key2))))
            lines.push_back(line);
        if (end < body.size() && body[end] == '\r')
            ++end;
        if (end < body.size() && body[end] == '\n')
            ++end;
        start = end;
    }
    std::stable_sort(lines.begin(), lines.end(), LessNoCase);

    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const bool found = ForEachQuotedWord(*line, [&](std::string_view word, int position) {
            if (!ContainsNoCase(word, key1) && !ContainsNoCase(word, key2))
                return false;
            listing.fieldNumber = position;
            return true;
        });
        if (found)
            break;
    }

    if (lines.size() < static_cast<std::size_t>(count)) {
        listing.status = RadarDirectoryStatus::TooFewEntries;
        return listing;
    }
    for (std::size_t i = lines.size() - static_cast<std::size_t>(count); i < lines.size(); ++i)
        listing.names.emplace_back(NthQuotedWord(lines[i], listing.fieldNumber));
    listing.status = RadarDirectoryStatus::Ok;
    return listing;
}

} // namespace skelvane
