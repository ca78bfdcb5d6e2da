#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Reading the satellite CDN's band folder index, which lists a frame every few minutes as
// YYYYJJJHHMM_{satellite}-ABI-{sector}-{band}-{size}.jpg.

struct CdnFrame {
    std::string name;        // the file name as listed
    std::int64_t unixMs = 0; // its time (UTC, from the name)
    friend bool operator==(const CdnFrame&, const CdnFrame&) = default;
};

// The frames of one size listed anywhere in the page (links or text), oldest first, each
// once. Satellite, sector, band and size are compared without regard to ASCII case; names
// whose stamp is not a real time are left out. At most `maxFrames`, the newest.
std::vector<CdnFrame> ReadCdnFrames(std::string_view page, std::string_view satellite,
                                    std::string_view sector, std::string_view band,
                                    std::string_view size, std::size_t maxFrames = 200);

// The file name of a frame: stamp + "_" + satellite + "-ABI-" + sector + "-" + band + "-" +
// size + ".jpg".
std::string CdnFrameName(std::string_view ordinalStamp, std::string_view satellite,
                         std::string_view sector, std::string_view band, std::string_view size);

} // namespace skelvane
