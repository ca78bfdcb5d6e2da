#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// What "Get Satellite" asks of the satellite image server for the page's choices. Paths only:
// the caller puts the configured host in front of them.

// The page's choices as stored in their settings.
struct SatelliteChoice {
    int location = 0;     // SatelliteLocationBoxIndex, 0 … 15
    int type = 0;         // SatelliteTypeBoxIndex: 0 infrared, 1 visible, 2 water vapour
    int color = 0;        // SatelliteColorBoxIndex: 0 normal, 1 … 4 colourised
    bool animate = false; // AnimateSatellite
};

enum class SatelliteFetch {
    Still,            // one JPEG under "/GIFS/"
    FullDisk,         // one JPEG under "/FULLDISK/"
    Movie,            // one MPEG-1 movie under "/MOVIES/"
    TropicalList,     // up to ten JPEG frames named by the loop folder's file_names.txt
    TropicalNumbered, // the JPEG frames 1.jpg … 10.jpg of the loop folder
};

struct SatelliteRequest {
    std::string code; // image code: "ECIR", "ECI5", "GMIR", "GULFIR"
    bool movie = false;
    bool tropical = false;
    SatelliteFetch fetch = SatelliteFetch::Still;
    // Still, FullDisk and Movie: the one path asked, "/GIFS/ECI5.JPG", "/MOVIES/ECVS.mpg".
    // Tropical loops: the loop's folder with its closing slash, "/HURRLOOPS/gulfir/".
    std::string path;
    // TropicalList: the list's name and the path of the list file,
    // "gulfir" and "/HURRLOOPS/gulfir/file_names.txt". Empty otherwise.
    std::string listName;
    std::string listPath;
    // Movie: the file name the movie is kept under, "ECVS.mpg". Empty otherwise.
    std::string movieFile;
    friend bool operator==(const SatelliteRequest&, const SatelliteRequest&) = default;
};

// The image code for the choices: the location's code part and the type's, or for a coast
// with "Animate" off and a colourised entry c, "E" or "W", then "CI" with c + 4 (infrared
// and visible) or "CW" with c (water vapour): "ECI5", "WCW3".
std::string SatelliteImageCode(const SatelliteChoice& choice);

// "Animate" on a coast or a tropical area asks for a movie; on a tropical area the movie is
// a JPEG loop.
bool SatelliteWantsMovie(const SatelliteChoice& choice);
bool SatelliteWantsTropicalLoop(const SatelliteChoice& choice);

// Everything one press of "Get Satellite" fetches for the choices.
SatelliteRequest SatelliteRequestFor(const SatelliteChoice& choice);

// The same from an image code and the two flags (a loop when tropical, else a movie when
// movie, else a still or a full-disk picture). The code is read in upper case; nothing when it
// is empty, longer than 8 characters or holds anything but ASCII letters and digits.
std::optional<SatelliteRequest> SatelliteRequestForCode(std::string_view code, bool movie,
                                                        bool tropical);

// GEIR, GEVS, GWIR, GWVS, GMIR, GMVS, MTIR, MTVS, GIIR and GIVS (upper case).
bool IsFullDiskCode(std::string_view code);

// The folder of a tropical loop under "/HURRLOOPS/": "ir", "vs", "wv" for the HU codes,
// "huecir", "huecvs", "huecwv" for the ECST codes, else the code in lower case. The code is
// compared in upper case. Example: "/HURRLOOPS/atwv/".
std::string TropicalLoopFolder(std::string_view code);

// The name of the frame list of a loop, for the GULF and ECST codes: "gulfir", "huecvs";
// empty for loops whose frames are numbered.
std::string TropicalListName(std::string_view code);

// "/HURRLOOPS/" + the list name in lower case + "/file_names.txt".
std::string TropicalListPath(std::string_view listName);

// The paths of a loop's frames in the order they are fetched, at most ten: the folder and
// 1.jpg … 10.jpg for numbered loops; the folder and each listed name for listed loops (names
// that are not plain file names are left out, see IsPlainFrameName). Empty for other requests.
std::vector<std::string> TropicalFramePaths(const SatelliteRequest& request,
                                            std::span<const std::string> listedNames = {});

} // namespace skelvane
