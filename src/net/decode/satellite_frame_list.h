#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// Reading a tropical loop's frame list (file_names.txt) and naming the frames of the loops
// whose frames are numbered.

inline constexpr std::size_t kSatelliteLoopFrames = 10;
// A frame list is a few dozen short lines. A bigger body is not a frame list; the download of
// the list is capped at this size too.
inline constexpr std::size_t kSatelliteFrameListMaxBytes = 64 * 1024;
inline constexpr std::size_t kSatelliteFrameNameMaxLength = 128;

enum class FrameListStatus {
    Ok,       // at least one frame name
    Empty,    // the body is empty or holds only blank lines
    TooLarge, // the body is over kSatelliteFrameListMaxBytes
    NoNames,  // there are lines, but none is a plain file name
};

struct SatelliteFrameList {
    FrameListStatus status = FrameListStatus::Empty;
    // The first ten plain names in the order they are fetched: sorted without regard to ASCII
    // case, names equal but for case in byte order. Empty unless status is Ok.
    std::vector<std::string> names;
    std::size_t refused = 0; // non-blank lines left out because they are not plain names
    bool ok() const { return status == FrameListStatus::Ok; }
};

// Reads the body of a file_names.txt. Lines end in LF, CR LF or CR; a UTF-8 byte-order mark
// at the start, blanks and tabs around a name and blank lines are ignored. A line that is not
// a plain file name (IsPlainFrameName) is left out, so a list can never steer a frame request
// out of the loop's folder or add a query to it.
SatelliteFrameList ParseJPGList(std::string_view body);

// A plain file name: 1 … 128 characters, each an ASCII letter, digit, '.', '_' or '-', the
// first a letter or digit. So no "/" or "\", no "..", no absolute path or address, no "?",
// "#", "%" or blank.
bool IsPlainFrameName(std::string_view name);

// "1.jpg" … "10.jpg": the frames of the loops without a list.
const std::vector<std::string>& NumberedFrameNames();

} // namespace skelvane
