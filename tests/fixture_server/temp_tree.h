#pragma once

// A throw-away folder for the served trees of the fixture server's tests.

#include <filesystem>
#include <string>
#include <string_view>

namespace skelvane::fixture::testing {

class TempTree {
public:
    TempTree();  // a new, empty folder under the system's temporary folder
    ~TempTree(); // removes it with everything in it
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes `contents` to path()/relative, making the folders on the way.
    void write(std::string_view relative, std::string_view contents) const;
    void makeFolder(std::string_view relative) const;
    // A symbolic link path()/relative pointing at `target` (taken as it stands).
    void link(std::string_view relative, const std::filesystem::path& target) const;

private:
    std::filesystem::path path_;
};

// The text of a decoded report, as the servers send them, for checks of exact bodies.
inline constexpr std::string_view kReportText =
    "New York City Central Park, NY, United States (KNYC) 40-47N 073-58W 47M\n"
    "Oct 25, 2024 - 11:51 AM EDT / 2024.10.25 1551 UTC\n"
    "Wind: from the NW (310 degrees) at 12 MPH (10 KT):0\n"
    "Temperature: 57.0 F (13.9 C)\n"
    "ob: KNYC 251551Z 31010KT 10SM FEW050 14/M02 A3000\n"
    "cycle: 16\n";
inline constexpr std::string_view kReportPath = "/pub/data/observations/metar/decoded/KNYC.TXT";

} // namespace skelvane::fixture::testing
