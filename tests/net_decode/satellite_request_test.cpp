#include "net/decode/satellite_request.h"

#include "net/decode/satellite_frame_list.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

// One line per request: kind, code and path, "movie ECVS /MOVIES/ECVS.mpg".
std::string Describe(const SatelliteRequest& r) {
    const char* kind = "";
    switch (r.fetch) {
    case SatelliteFetch::Still:
        kind = "still";
        break;
    case SatelliteFetch::FullDisk:
        kind = "fulldisk";
        break;
    case SatelliteFetch::Movie:
        kind = "movie";
        break;
    case SatelliteFetch::TropicalList:
        kind = "list";
        break;
    case SatelliteFetch::TropicalNumbered:
        kind = "numbered";
        break;
    }
    return std::string(kind) + " " + r.code + " " + r.path;
}

std::string Describe(int location, int type, int color, bool animate) {
    return Describe(SatelliteRequestFor({location, type, color, animate}));
}

// Every location with each type: infrared, visible, water vapour.
struct LocationRow {
    int location;
    const char* infrared;
    const char* visible;
    const char* waterVapor;
};

TEST(SatelliteRequestFor, StillsOfEveryLocationAndType) {
    const LocationRow rows[] = {
        {0, "still ECIR /GIFS/ECIR.JPG", "still ECVS /GIFS/ECVS.JPG", "still ECWV /GIFS/ECWV.JPG"},
        {1, "still WCIR /GIFS/WCIR.JPG", "still WCVS /GIFS/WCVS.JPG", "still WCWV /GIFS/WCWV.JPG"},
        {2, "still PRIR /GIFS/PRIR.JPG", "still PRVS /GIFS/PRVS.JPG", "still PRWV /GIFS/PRWV.JPG"},
        {3, "still ALIR /GIFS/ALIR.JPG", "still ALVS /GIFS/ALVS.JPG", "still ALWV /GIFS/ALWV.JPG"},
        {4, "still HAIR /GIFS/HAIR.JPG", "still HAVS /GIFS/HAVS.JPG", "still HAWV /GIFS/HAWV.JPG"},
        {5, "still ECSTIR /GIFS/ECSTIR.JPG", "still ECSTVS /GIFS/ECSTVS.JPG",
         "still ECSTWV /GIFS/ECSTWV.JPG"},
        {6, "still ATIR /GIFS/ATIR.JPG", "still ATVS /GIFS/ATVS.JPG", "still ATWV /GIFS/ATWV.JPG"},
        {7, "still HUIR /GIFS/HUIR.JPG", "still HUVS /GIFS/HUVS.JPG", "still HUWV /GIFS/HUWV.JPG"},
        {8, "still GULFIR /GIFS/GULFIR.JPG", "still GULFVS /GIFS/GULFVS.JPG",
         "still GULFWV /GIFS/GULFWV.JPG"},
        {9, "still HPIR /GIFS/HPIR.JPG", "still HPVS /GIFS/HPVS.JPG", "still HPWV /GIFS/HPWV.JPG"},
        {10, "still NHIR /GIFS/NHIR.JPG", "still NHVS /GIFS/NHVS.JPG", "still NHWV /GIFS/NHWV.JPG"},
        // The full-disk views have no water vapour: it reads as infrared.
        {11, "fulldisk GEIR /FULLDISK/GEIR.JPG", "fulldisk GEVS /FULLDISK/GEVS.JPG",
         "fulldisk GEIR /FULLDISK/GEIR.JPG"},
        {12, "fulldisk GWIR /FULLDISK/GWIR.JPG", "fulldisk GWVS /FULLDISK/GWVS.JPG",
         "fulldisk GWIR /FULLDISK/GWIR.JPG"},
        {13, "fulldisk GMIR /FULLDISK/GMIR.JPG", "fulldisk GMVS /FULLDISK/GMVS.JPG",
         "fulldisk GMIR /FULLDISK/GMIR.JPG"},
        {14, "fulldisk GIIR /FULLDISK/GIIR.JPG", "fulldisk GIVS /FULLDISK/GIVS.JPG",
         "fulldisk GIIR /FULLDISK/GIIR.JPG"},
        {15, "fulldisk MTIR /FULLDISK/MTIR.JPG", "fulldisk MTVS /FULLDISK/MTVS.JPG",
         "fulldisk MTIR /FULLDISK/MTIR.JPG"},
    };
    for (const LocationRow& row : rows) {
        EXPECT_EQ(Describe(row.location, 0, 0, false), row.infrared) << row.location;
        EXPECT_EQ(Describe(row.location, 1, 0, false), row.visible) << row.location;
        EXPECT_EQ(Describe(row.location, 2, 0, false), row.waterVapor) << row.location;
    }
}

TEST(SatelliteRequestFor, AnimateAsksMoviesOnCoastsLoopsInTheTropicsAndStillsElsewhere) {
    const LocationRow rows[] = {
        {0, "movie ECIR /MOVIES/ECIR.mpg", "movie ECVS /MOVIES/ECVS.mpg",
         "movie ECWV /MOVIES/ECWV.mpg"},
        {1, "movie WCIR /MOVIES/WCIR.mpg", "movie WCVS /MOVIES/WCVS.mpg",
         "movie WCWV /MOVIES/WCWV.mpg"},
        {2, "still PRIR /GIFS/PRIR.JPG", "still PRVS /GIFS/PRVS.JPG", "still PRWV /GIFS/PRWV.JPG"},
        {3, "still ALIR /GIFS/ALIR.JPG", "still ALVS /GIFS/ALVS.JPG", "still ALWV /GIFS/ALWV.JPG"},
        {4, "still HAIR /GIFS/HAIR.JPG", "still HAVS /GIFS/HAVS.JPG", "still HAWV /GIFS/HAWV.JPG"},
        {5, "list ECSTIR /HURRLOOPS/huecir/", "list ECSTVS /HURRLOOPS/huecvs/",
         "list ECSTWV /HURRLOOPS/huecwv/"},
        {6, "numbered ATIR /HURRLOOPS/atir/", "numbered ATVS /HURRLOOPS/atvs/",
         "numbered ATWV /HURRLOOPS/atwv/"},
        {7, "numbered HUIR /HURRLOOPS/ir/", "numbered HUVS /HURRLOOPS/vs/",
         "numbered HUWV /HURRLOOPS/wv/"},
        {8, "list GULFIR /HURRLOOPS/gulfir/", "list GULFVS /HURRLOOPS/gulfvs/",
         "list GULFWV /HURRLOOPS/gulfwv/"},
        {9, "numbered HPIR /HURRLOOPS/hpir/", "numbered HPVS /HURRLOOPS/hpvs/",
         "numbered HPWV /HURRLOOPS/hpwv/"},
        {10, "still NHIR /GIFS/NHIR.JPG", "still NHVS /GIFS/NHVS.JPG", "still NHWV /GIFS/NHWV.JPG"},
        {11, "fulldisk GEIR /FULLDISK/GEIR.JPG", "fulldisk GEVS /FULLDISK/GEVS.JPG",
         "fulldisk GEIR /FULLDISK/GEIR.JPG"},
        {12, "fulldisk GWIR /FULLDISK/GWIR.JPG", "fulldisk GWVS /FULLDISK/GWVS.JPG",
         "fulldisk GWIR /FULLDISK/GWIR.JPG"},
        {13, "fulldisk GMIR /FULLDISK/GMIR.JPG", "fulldisk GMVS /FULLDISK/GMVS.JPG",
         "fulldisk GMIR /FULLDISK/GMIR.JPG"},
        {14, "fulldisk GIIR /FULLDISK/GIIR.JPG", "fulldisk GIVS /FULLDISK/GIVS.JPG",
         "fulldisk GIIR /FULLDISK/GIIR.JPG"},
        {15, "fulldisk MTIR /FULLDISK/MTIR.JPG", "fulldisk MTVS /FULLDISK/MTVS.JPG",
         "fulldisk MTIR /FULLDISK/MTIR.JPG"},
    };
    for (const LocationRow& row : rows) {
        EXPECT_EQ(Describe(row.location, 0, 0, true), row.infrared) << row.location;
        EXPECT_EQ(Describe(row.location, 1, 0, true), row.visible) << row.location;
        EXPECT_EQ(Describe(row.location, 2, 0, true), row.waterVapor) << row.location;
    }
}

TEST(SatelliteRequestFor, ColourisedStillsOnTheCoastsOnly) {
    struct Row {
        int location;
        int color;
        const char* infrared;
        const char* visible;
        const char* waterVapor;
    };
    const Row rows[] = {
        // Infrared and visible share the colourised infrared picture, numbered from 5.
        {0, 1, "still ECI5 /GIFS/ECI5.JPG", "still ECI5 /GIFS/ECI5.JPG",
         "still ECW1 /GIFS/ECW1.JPG"},
        {0, 2, "still ECI6 /GIFS/ECI6.JPG", "still ECI6 /GIFS/ECI6.JPG",
         "still ECW2 /GIFS/ECW2.JPG"},
        {0, 3, "still ECI7 /GIFS/ECI7.JPG", "still ECI7 /GIFS/ECI7.JPG",
         "still ECW3 /GIFS/ECW3.JPG"},
        {0, 4, "still ECI8 /GIFS/ECI8.JPG", "still ECI8 /GIFS/ECI8.JPG",
         "still ECW4 /GIFS/ECW4.JPG"},
        {1, 1, "still WCI5 /GIFS/WCI5.JPG", "still WCI5 /GIFS/WCI5.JPG",
         "still WCW1 /GIFS/WCW1.JPG"},
        {1, 2, "still WCI6 /GIFS/WCI6.JPG", "still WCI6 /GIFS/WCI6.JPG",
         "still WCW2 /GIFS/WCW2.JPG"},
        {1, 3, "still WCI7 /GIFS/WCI7.JPG", "still WCI7 /GIFS/WCI7.JPG",
         "still WCW3 /GIFS/WCW3.JPG"},
        {1, 4, "still WCI8 /GIFS/WCI8.JPG", "still WCI8 /GIFS/WCI8.JPG",
         "still WCW4 /GIFS/WCW4.JPG"},
        // Elsewhere the colour box is hidden and its stored entry does nothing.
        {2, 2, "still PRIR /GIFS/PRIR.JPG", "still PRVS /GIFS/PRVS.JPG",
         "still PRWV /GIFS/PRWV.JPG"},
        {5, 1, "still ECSTIR /GIFS/ECSTIR.JPG", "still ECSTVS /GIFS/ECSTVS.JPG",
         "still ECSTWV /GIFS/ECSTWV.JPG"},
        {10, 4, "still NHIR /GIFS/NHIR.JPG", "still NHVS /GIFS/NHVS.JPG",
         "still NHWV /GIFS/NHWV.JPG"},
        {13, 3, "fulldisk GMIR /FULLDISK/GMIR.JPG", "fulldisk GMVS /FULLDISK/GMVS.JPG",
         "fulldisk GMIR /FULLDISK/GMIR.JPG"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Describe(row.location, 0, row.color, false), row.infrared)
            << row.location << " colour " << row.color;
        EXPECT_EQ(Describe(row.location, 1, row.color, false), row.visible)
            << row.location << " colour " << row.color;
        EXPECT_EQ(Describe(row.location, 2, row.color, false), row.waterVapor)
            << row.location << " colour " << row.color;
    }
    // With "Animate" the colour box is hidden: the movie is the normal one.
    EXPECT_EQ(Describe(0, 0, 2, true), "movie ECIR /MOVIES/ECIR.mpg");
    EXPECT_EQ(Describe(1, 2, 3, true), "movie WCWV /MOVIES/WCWV.mpg");
}

TEST(SatelliteRequestFor, IndicesOutsideTheBoxesReadAsTheFirstEntry) {
    struct Row {
        SatelliteChoice choice;
        const char* expected;
    };
    const Row rows[] = {
        {{16, 1, 0, false}, "still ECVS /GIFS/ECVS.JPG"},
        {{-1, 0, 0, true}, "movie ECIR /MOVIES/ECIR.mpg"}, // East Coast animates
        {{99, 0, 1, false}, "still ECI5 /GIFS/ECI5.JPG"},  // and has colours
        {{10, 3, 0, false}, "still NHIR /GIFS/NHIR.JPG"},
        {{10, -2, 0, false}, "still NHIR /GIFS/NHIR.JPG"},
        {{0, 2, 5, false}, "still ECWV /GIFS/ECWV.JPG"},
        {{1, 0, -1, false}, "still WCIR /GIFS/WCIR.JPG"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Describe(SatelliteRequestFor(row.choice)), row.expected)
            << row.choice.location << "/" << row.choice.type << "/" << row.choice.color;
}

TEST(SatelliteRequestFor, TheCasesUsersMeetMost) {
    // "Entire Earth - Europe" with "Water Vapor" still selected asks for the infrared full disk.
    SatelliteRequest europe = SatelliteRequestFor({13, 2, 0, false});
    EXPECT_EQ(europe.code, "GMIR");
    EXPECT_EQ(europe.fetch, SatelliteFetch::FullDisk);
    EXPECT_EQ(europe.path, "/FULLDISK/GMIR.JPG");

    // "Entire USA" in water vapour is an ordinary still.
    EXPECT_EQ(SatelliteRequestFor({10, 2, 0, false}).path, "/GIFS/NHWV.JPG");

    // "East Coast USA", "Visible", "Colorized 1": the still ECI5; with "Animate" the movie.
    EXPECT_EQ(SatelliteRequestFor({0, 1, 1, false}).path, "/GIFS/ECI5.JPG");
    SatelliteRequest movie = SatelliteRequestFor({0, 1, 1, true});
    EXPECT_EQ(movie.code, "ECVS");
    EXPECT_TRUE(movie.movie);
    EXPECT_FALSE(movie.tropical);
    EXPECT_EQ(movie.path, "/MOVIES/ECVS.mpg");
    EXPECT_EQ(movie.movieFile, "ECVS.mpg");

    // "Tropical Gulf" infrared with "Animate" reads the gulfir list; without it the still.
    SatelliteRequest gulf = SatelliteRequestFor({8, 0, 0, true});
    EXPECT_TRUE(gulf.movie);
    EXPECT_TRUE(gulf.tropical);
    EXPECT_EQ(gulf.fetch, SatelliteFetch::TropicalList);
    EXPECT_EQ(gulf.listName, "gulfir");
    EXPECT_EQ(gulf.listPath, "/HURRLOOPS/gulfir/file_names.txt");
    EXPECT_EQ(gulf.path, "/HURRLOOPS/gulfir/");
    SatelliteRequest gulfStill = SatelliteRequestFor({8, 0, 0, false});
    EXPECT_FALSE(gulfStill.movie);
    EXPECT_EQ(gulfStill.path, "/GIFS/GULFIR.JPG");
    EXPECT_TRUE(gulfStill.listPath.empty());
}

TEST(SatelliteRequestFor, ListsOfTheTropicalEastCoastLiveInTheHuecFolders) {
    const SatelliteRequest r = SatelliteRequestFor({5, 2, 0, true});
    EXPECT_EQ(r.code, "ECSTWV");
    EXPECT_EQ(r.listName, "huecwv");
    EXPECT_EQ(r.listPath, "/HURRLOOPS/huecwv/file_names.txt");
    EXPECT_EQ(r.path, "/HURRLOOPS/huecwv/");
}

TEST(SatelliteRequestForCode, ReadsCodesInUpperCaseAndRefusesAnythingButLettersAndDigits) {
    const auto lower = SatelliteRequestForCode("gmir", false, false);
    ASSERT_TRUE(lower);
    EXPECT_EQ(Describe(*lower), "fulldisk GMIR /FULLDISK/GMIR.JPG");
    const auto loop = SatelliteRequestForCode("huvs", true, true);
    ASSERT_TRUE(loop);
    EXPECT_EQ(Describe(*loop), "numbered HUVS /HURRLOOPS/vs/");
    // A loop is asked whenever tropical is set, as GetTropicalAnim does.
    EXPECT_EQ(Describe(*SatelliteRequestForCode("GULFVS", false, true)),
              "list GULFVS /HURRLOOPS/gulfvs/");

    for (const char* bad : {"", "ECIR/../x", "EC IR", "ECIR.JPG", "ECIR?x=1", "ABCDEFGHI",
                            "\xC3\x89"
                            "CIR"})
        EXPECT_FALSE(SatelliteRequestForCode(bad, false, false)) << bad;
}

TEST(TropicalFramePaths, NumberedLoopsAskOneToTenAndListedLoopsTheirPlainNames) {
    const SatelliteRequest at = SatelliteRequestFor({6, 0, 0, true});
    const std::vector<std::string> numbered = TropicalFramePaths(at);
    ASSERT_EQ(numbered.size(), 10u);
    EXPECT_EQ(numbered.front(), "/HURRLOOPS/atir/1.jpg");
    EXPECT_EQ(numbered[1], "/HURRLOOPS/atir/2.jpg");
    EXPECT_EQ(numbered.back(), "/HURRLOOPS/atir/10.jpg");

    const SatelliteRequest gulf = SatelliteRequestFor({8, 1, 0, true});
    const SatelliteFrameList list =
        ParseJPGList("g_12.jpg\r\n../../GIFS/x.jpg\r\ng_01.jpg\r\n/abs.jpg\r\n");
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(
        TropicalFramePaths(gulf, list.names),
        (std::vector<std::string>{"/HURRLOOPS/gulfvs/g_01.jpg", "/HURRLOOPS/gulfvs/g_12.jpg"}));

    // Names handed in by other callers get the same check, and the count stops at ten.
    std::vector<std::string> names{"a.jpg", "../b.jpg", "http://evil.example/c.jpg"};
    for (int n = 0; n < 12; ++n)
        names.push_back("f" + std::to_string(n) + ".jpg");
    const std::vector<std::string> paths = TropicalFramePaths(gulf, names);
    ASSERT_EQ(paths.size(), 10u);
    EXPECT_EQ(paths[0], "/HURRLOOPS/gulfvs/a.jpg");
    EXPECT_EQ(paths[1], "/HURRLOOPS/gulfvs/f0.jpg");

    // A still has no frames, and a listed loop without names none either.
    EXPECT_TRUE(TropicalFramePaths(SatelliteRequestFor({0, 0, 0, false}), names).empty());
    EXPECT_TRUE(TropicalFramePaths(gulf).empty());
}

} // namespace
} // namespace skelvane
