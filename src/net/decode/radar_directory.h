#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Why reading a directory page failed.
enum class RadarDirectoryStatus {
    Ok,
    EmptyBody,     // the server sent nothing
    TooFewEntries, // fewer matching lines than frames asked for
    NothingAsked,  // a frame count below 1
};

struct RadarDirectoryListing {
    RadarDirectoryStatus status = RadarDirectoryStatus::EmptyBody;
    std::vector<std::string> names; // the newest `count` file names, oldest first; empty on failure
    int fieldNumber = 2;            // which "-separated word of each line was taken
    bool ok() const { return status == RadarDirectoryStatus::Ok; }
};

// Reads a frame directory page (the web server's index page) into the newest `count` file
// names:
// 1. the body is split into lines (at CR LF, LF or CR);
// 2. when a key is given, only lines containing key1 (if not empty) and key2 (if not empty)
//    are kept, compared without regard to ASCII case;
// 3. the lines are sorted in ascending order without regard to ASCII case (ties keep page
//    order);
// 4. the field number is found from the last line backwards: the position (from 1) of the
//    first word, splitting the line at '"' (empty words are skipped), that contains key1 or
//    key2 without regard to case; 2 when no line has one;
// 5. the last `count` lines give their word of that number (empty when a line has fewer
//    words), oldest first.
// Fewer matching lines than `count` fails with no names, and so does a count below 1.
RadarDirectoryListing ReadRadarDirectory(std::string_view body, std::string_view key1,
                                         std::string_view key2, int count);

} // namespace skelvane
