#pragma once

#include <string>

namespace skelvane {

// The clock's time patterns (FormatDate syntax), shared by the clock window, the tray and
// the information window.
struct TimeFormats {
    // Clock window caption: only its first 8 characters are shown.
    static const char* caption(bool use24Hour) {
        return use24Hour ? "h:nn:ss  " : "h:nn:ss  AM/PM   ";
    }
    // The information window's time panels.
    static const char* infoWindow(bool use24Hour) {
        return use24Hour ? "hh:nn:ss  " : "hh:nn:ss  AM/PM   ";
    }
    // The big time panel always shows the 12-hour time; the marker is cut off afterwards.
    static constexpr const char* kBigPanel = "h:nnAM/PM";
};

} // namespace skelvane
