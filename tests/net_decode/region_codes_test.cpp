#include "net/decode/region_codes.h"

#include "location/place_tables.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

static_assert(kRegionCodeCount == std::tuple_size_v<decltype(kCountryNames)>);

// The codes are parallel to the Country box: a code missing or doubled anywhere shifts
// every country after it, which the names spread over the whole list catch.
TEST(RegionCodes, StandParallelToTheCountryBox) {
    struct Case {
        const char* country;
        const char* code;
    };
    const Case cases[] = {
        {"United States", "US"},
        {"Afghanistan", "AH"},
        {"Austria", "OS"},
        {"Azerbaijan", "A2"},
        {"Bosnia & Herzegovina", "BA"},
        {"British Virgin Islands", "VG"},
        {"Burkina Faso", "HV"},
        {"Christmas Island", "SR"},
        {"Cote d'Ivoire", "IV"},
        {"Croatia", "RH"},
        {"East Timor", "EA"},
        {"Gambia", "GB"},
        {"Germany", "DL"},
        {"Iceland", "IL"},
        {"Korea, North", "KR"},
        {"Korea, South", "KO"},
        {"Lithuania", "L1"},
        {"Micronesia", "KA"},
        {"Moldova", "M1"},
        {"Netherlands Antilles", "NU"},
        {"Palau", "KA"},
        {"Saint Kitts and Nevis", "K1"},
        {"Saint Pierre & Miquelon", "P1"},
        {"Serbia & Montenegro", "BA"},
        {"Singapore", "SR"},
        {"Slovakia", "S1"},
        {"South Georgia & Islands", "GS"},
        {"Switzerland", "SW"},
        {"United Arab Emirates", "ER"},
        {"United Kingdom", "UK"},
        {"US Outlying Islands", "PN"},
        {"Virgin Islands", "VG"},
        {"Western Sahara", "EH"},
        {"Zimbabwe", "ZW"},
    };
    for (const Case& c : cases) {
        const int index = CountryIndexOf(c.country);
        ASSERT_GE(index, 0) << c.country;
        EXPECT_EQ(RegionCodeOfCountry(index), c.code) << c.country << " at " << index;
    }
    // The United States at its alphabetical place too.
    EXPECT_EQ(kCountryNames[200], "United States");
    EXPECT_EQ(RegionCodeOfCountry(200), "US");
}

TEST(RegionCodes, AreTwoUpperCaseLettersOrDigitsAndUSOutsideTheBox) {
    for (std::size_t i = 0; i < RegionCodes().size(); ++i) {
        const std::string_view code = RegionCodes()[i];
        EXPECT_EQ(code.size(), 2u) << i;
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"),
                  std::string_view::npos)
            << i << " " << code;
    }
    EXPECT_EQ(RegionCodeOfCountry(-1), "US");
    EXPECT_EQ(RegionCodeOfCountry(kRegionCodeCount), "US");
    EXPECT_EQ(RegionCodeOfCountry(1 << 30), "US");
}

} // namespace
} // namespace skelvane
