#include "astro/meteor_showers.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

TEST(MeteorShowers, DatesCaptionsAndPages) {
    struct Row {
        int n;
        CivilDate date;
        const char* caption;
        const char* page;
    };
    // The captions are the menu's own text; five of them name another day than the one
    // selected, and the Leonids row reads "Non".
    const Row rows[] = {
        {1, {2024, 1, 3}, "Jan  3 - Quadrantids", "quadrantids.html"},
        {3, {2024, 5, 5}, "May  4 - Eta Aquarids", "eta_aquarids.html"},
        {4, {2024, 7, 28}, "Jul 27 - Delta Aquarids", "showers/delta_aquarids.html"},
        {8, {2024, 11, 17}, "Nov 18 - Leonids", "leonids.html"},
        {9, {2024, 12, 14}, "Dec 14 - Geminids", "geminids.html"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(DecodeDate(MeteorShowerDate(2024, r.n)), r.date) << r.caption;
        EXPECT_EQ(MeteorShowers()[r.n - 1].caption, r.caption);
        EXPECT_EQ(MeteorShowers()[r.n - 1].page, r.page);
    }
    EXPECT_EQ(MeteorShowerDate(2024, 0), 0.0);
    EXPECT_EQ(MeteorShowerDate(2024, 10), 0.0);
    EXPECT_EQ(MeteorShowerDate(0, 1), 0.0);
}

} // namespace
} // namespace skelvane
