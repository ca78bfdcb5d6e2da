#pragma once

#include "astro/datetime.h"

#include <array>
#include <string_view>

namespace skelvane {

// One of the nine meteor showers of the Go To menu. The menu caption is the system's own
// text and differs from the selected date in five rows.
struct MeteorShower {
    int month = 0; // date selected
    int day = 0;
    std::string_view caption; // menu caption
    std::string_view page;    // page of the meteor-shower information site
};

inline constexpr int kMeteorShowerCount = 9;

// The nine showers in menu order (n = 1..9 is element n - 1).
const std::array<MeteorShower, kMeteorShowerCount>& MeteorShowers();

// Date (00:00, local calendar day) selected for shower n = 1..9 in a year; 0 (no date) for
// any other n or a year outside 1..9999.
DateTime MeteorShowerDate(int year, int n);

} // namespace skelvane
