#include "net/live/cdn_index.h"

#include "net/live/iso_time.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace skelvane {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace

std::string CdnFrameName(std::string_view ordinalStamp, std::string_view satellite,
                         std::string_view sector, std::string_view band, std::string_view size) {
    std::string name(ordinalStamp);
    name += '_';
    name += satellite;
    name += "-ABI-";
    name += sector;
    name += '-';
    name += band;
    name += '-';
    name += size;
    name += ".jpg";
    return name;
}

std::vector<CdnFrame> ReadCdnFrames(std::string_view page, std::string_view satellite,
                                    std::string_view sector, std::string_view band,
                                    std::string_view size, std::size_t maxFrames) {
    const std::string lowerPage = Lower(page);
    const std::string tail = Lower(CdnFrameName("", satellite, sector, band, size));
    std::map<std::int64_t, std::string> frames;
    std::size_t at = 0;
    while ((at = lowerPage.find(tail, at)) != std::string::npos) {
        const std::size_t found = at;
        at += tail.size();
        if (found < 11)
            continue;
        const std::string_view stamp = page.substr(found - 11, 11);
        // The stamp must be the start of the name, not the end of a longer run of digits.
        if (found > 11 && std::isalnum(static_cast<unsigned char>(page[found - 12])))
            continue;
        const auto ms = ParseOrdinalStamp(stamp);
        if (!ms)
            continue;
        frames.emplace(*ms, std::string(page.substr(found - 11, 11 + tail.size())));
        if (frames.size() > maxFrames)
            frames.erase(frames.begin());
    }
    std::vector<CdnFrame> result;
    result.reserve(frames.size());
    for (auto& [ms, name] : frames)
        result.push_back({std::move(name), ms});
    return result;
}

} // namespace skelvane
