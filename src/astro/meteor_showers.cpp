#include "astro/meteor_showers.h"

namespace skelvane {
namespace {

constexpr std::array<MeteorShower, kMeteorShowerCount> kShowers = {{
    {1, 3, "Jan  3 - Quadrantids", "quadrantids.html"},
    {4, 21, "Apr 21 - Lyrids", "lyrids.html"},
    {5, 5, "May  4 - Eta Aquarids", "eta_aquarids.html"},
    {7, 28, "Jul 27 - Delta Aquarids", "showers/delta_aquarids.html"},
    {8, 12, "Aug 11 - Perseids", "perseids.html"},
    {10, 20, "Oct 21 - Orionids", "orionids.html"},
    {11, 3, "Nov  3 - Taurids", "showers/taurids.html"},
    {11, 17, "Nov 18 - Leonids", "leonids.html"},
    {12, 14, "Dec 14 - Geminids", "geminids.html"},
}};

} // namespace

const std::array<MeteorShower, kMeteorShowerCount>& MeteorShowers() {
    return kShowers;
}

DateTime MeteorShowerDate(int year, int n) {
    if (n < 1 || n > kMeteorShowerCount)
        return 0;
    const MeteorShower& shower = kShowers[static_cast<std::size_t>(n - 1)];
    return SafeEncodeDate(year, shower.month, shower.day);
}

} // namespace skelvane
