#include "net/decode/satellite_request.h"

#include "net/decode/satellite_choices.h"
#include "net/decode/satellite_frame_list.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace skelvane {

namespace {

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& ch : out)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

bool IsImageCode(std::string_view code) {
    return !code.empty() && code.size() <= 8 && std::all_of(code.begin(), code.end(), [](char ch) {
        return std::isalnum(static_cast<unsigned char>(ch)) != 0 &&
               static_cast<unsigned char>(ch) < 0x80;
    });
}

} // namespace

std::string SatelliteImageCode(const SatelliteChoice& choice) {
    const int location = NormalizeSatelliteLocation(choice.location);
    const int color = NormalizeSatelliteColor(choice.color);
    const int type = SatelliteTypeBoxShownIndex(location, choice.type);
    if (!choice.animate && color > 0 && IsSatelliteCoast(location)) {
        std::string code = location == 1 ? "W" : "E";
        if (type == 2)
            return code + "CW" + std::to_string(color);
        return code + "CI" + std::to_string(color + 4);
    }
    return std::string(SatelliteLocationCode(location)) +
           std::string(SatelliteTypeCode(location, type));
}

bool SatelliteWantsMovie(const SatelliteChoice& choice) {
    return choice.animate && SatelliteLocationAnimates(choice.location);
}

bool SatelliteWantsTropicalLoop(const SatelliteChoice& choice) {
    return SatelliteWantsMovie(choice) && IsSatelliteTropical(choice.location);
}

SatelliteRequest SatelliteRequestFor(const SatelliteChoice& choice) {
    // The builder only makes codes of letters and digits, so the request always exists.
    return *SatelliteRequestForCode(SatelliteImageCode(choice), SatelliteWantsMovie(choice),
                                    SatelliteWantsTropicalLoop(choice));
}

std::optional<SatelliteRequest> SatelliteRequestForCode(std::string_view code, bool movie,
                                                        bool tropical) {
    if (!IsImageCode(code))
        return std::nullopt;
    SatelliteRequest request;
    request.code = Upper(code);
    request.movie = movie;
    request.tropical = tropical;
    if (tropical) {
        request.path = TropicalLoopFolder(request.code);
        request.listName = TropicalListName(request.code);
        if (request.listName.empty()) {
            request.fetch = SatelliteFetch::TropicalNumbered;
        } else {
            request.fetch = SatelliteFetch::TropicalList;
            request.listPath = TropicalListPath(request.listName);
        }
    } else if (movie) {
        request.fetch = SatelliteFetch::Movie;
        request.movieFile = request.code + ".mpg";
        request.path = "/MOVIES/" + request.movieFile;
    } else if (IsFullDiskCode(request.code)) {
        request.fetch = SatelliteFetch::FullDisk;
        request.path = "/FULLDISK/" + request.code + ".JPG";
    } else {
        request.fetch = SatelliteFetch::Still;
        request.path = "/GIFS/" + request.code + ".JPG";
    }
    return request;
}

bool IsFullDiskCode(std::string_view code) {
    static constexpr std::array<std::string_view, 10> kFullDisk{
        "GEIR", "GEVS", "GWIR", "GWVS", "GMIR", "GMVS", "MTIR", "MTVS", "GIIR", "GIVS"};
    return std::find(kFullDisk.begin(), kFullDisk.end(), code) != kFullDisk.end();
}

std::string TropicalLoopFolder(std::string_view code) {
    struct Folder {
        std::string_view code;
        std::string_view folder;
    };
    static constexpr std::array<Folder, 6> kFolders{{
        {"HUIR", "ir"},
        {"HUVS", "vs"},
        {"HUWV", "wv"},
        {"ECSTIR", "huecir"},
        {"ECSTVS", "huecvs"},
        {"ECSTWV", "huecwv"},
    }};
    const std::string upper = Upper(code);
    for (const Folder& f : kFolders) {
        if (f.code == upper)
            return "/HURRLOOPS/" + std::string(f.folder) + "/";
    }
    return "/HURRLOOPS/" + Lower(code) + "/";
}

std::string TropicalListName(std::string_view code) {
    const std::string upper = Upper(code);
    if (upper == "GULFIR" || upper == "GULFVS" || upper == "GULFWV")
        return Lower(upper);
    if (upper == "ECSTIR" || upper == "ECSTVS" || upper == "ECSTWV")
        return "huec" + Lower(upper.substr(4));
    return {};
}

std::string TropicalListPath(std::string_view listName) {
    return "/HURRLOOPS/" + Lower(listName) + "/file_names.txt";
}

std::vector<std::string> TropicalFramePaths(const SatelliteRequest& request,
                                            std::span<const std::string> listedNames) {
    std::vector<std::string> paths;
    if (request.fetch == SatelliteFetch::TropicalNumbered) {
        for (const std::string& name : NumberedFrameNames())
            paths.push_back(request.path + name);
    } else if (request.fetch == SatelliteFetch::TropicalList) {
        for (const std::string& name : listedNames) {
            if (paths.size() == kSatelliteLoopFrames)
                break;
            if (IsPlainFrameName(name))
                paths.push_back(request.path + name);
        }
    }
    return paths;
}

} // namespace skelvane
