#include "net/decode/forecast_address.h"

#include "web_test_hosts.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

// A user in Manhattan who typed "New York, NY" and picked the Manhattan forecast city.
ForecastInputs Manhattan(int source) {
    ForecastInputs in;
    in.source = source;
    in.locationField = "New York, NY";
    in.pendingCity = "New York";
    in.pendingState = "NY";
    in.pendingCountry = "United States";
    in.pendingCountryIndex = 0;
    in.pendingPostalCode = "10001";
    in.stationCode = "knyc";
    in.forecastCity = ForecastCity{"NY", "72"};
    return in;
}

std::string Built(const ForecastInputs& in) {
    return ForecastAddress(in, testing::NamedTestHosts()).value_or("(none)");
}

TEST(ForecastAddress, OneAddressPerSource) {
    const std::string wuQuery = "/cgi-bin/findweather/getForecast?query=new york%2C+ ny";
    const std::string expected[kForecastSourceCount] = {
        "http://forecastSearch.test/zipcity.php?inputstring=new york,%20 NY",
        "http://graphicalForecast.test/forecasts/graphical/sectors/",
        "http://zoneForecast.test/data/forecasts/zone/ny/nyz072.txt",
        "http://currentObservation.test/weather/current/KNYC.html",
        "http://frontMap.test/noaa/noaa.gif",
        "http://hurricaneCenter.test/",
        "http://weatherUnderground.test/ski/",
        "http://weatherUnderground.test" + wuQuery,
        "http://weatherUnderMobile.test" + wuQuery,
        "http://weatherUnderMobile.test/cgi-bin/findweather/getForecast?brand=mobile&query= ny",
        "http://weatherUnderground.test/global/Region/US/2xST.html",
        "http://weatherUnderground.test/global/Region/CN/2xST.html",
        "http://weatherUnderground.test/global/Region/CA/2xST.html",
        "http://weatherUnderground.test/global/Region/SA/2xST.html",
        "http://weatherUnderground.test/global/Region/AS/2xST.html",
        "http://weatherUnderground.test/global/Region/A2/2xST.html",
        "http://weatherUnderground.test/global/Region/EU/2xST.html",
        "http://weatherUnderground.test/global/Region/AU/2xST.html",
        "http://weatherUnderground.test/global/Region/AF/2xST.html",
        "http://weatherUnderground.test/global/Region/AN/2xST.html",
        "http://zipPortal.test/weather/local/10001?",
        "http://cityPortal.test/cgi-bin/forecast.cgi?city=new york&sc= NY",
        "http://accuPortal.test/adcbin/public/local_index.asp?partner=accuweather&zipcode=10001"
        "&metric=0",
        "http://accuPortal.test/adcbin/public/local_index_print.asp?partner=accuweather"
        "&zipcode=10001&metric=0",
        "http://weatherPixie.test/displayimg.php?place=KNYC&trooper=Random&type=F",
    };
    for (int s = 0; s < kForecastSourceCount; ++s)
        EXPECT_EQ(Built(Manhattan(s)), expected[s])
            << "source " << s << " " << ForecastSourceCaptions()[s];
}

TEST(ForecastAddress, MovedServicesGoToTodaysHostsWithTheirOwnLayout) {
    EXPECT_EQ(ForecastAddress(Manhattan(0)),
              "http://forecast.weather.gov/zipcity.php?inputstring=new york,%20 NY");
    EXPECT_EQ(ForecastAddress(Manhattan(2)),
              "http://tgftp.nws.noaa.gov/data/forecasts/zone/ny/nyz072.txt");
    EXPECT_EQ(ForecastAddress(Manhattan(4)), "http://www.wpc.ncep.noaa.gov/noaa/noaa.gif");
}

TEST(ForecastAddress, CelsiusChangesTheMetricFlagAndThePixieUnit) {
    ForecastInputs in = Manhattan(22);
    in.celsius = true;
    EXPECT_EQ(Built(in), "http://accuPortal.test/adcbin/public/local_index.asp?partner="
                         "accuweather&zipcode=10001&metric=1");
    in.source = 24;
    EXPECT_EQ(Built(in),
              "http://weatherPixie.test/displayimg.php?place=KNYC&trooper=Random&type=C");
}

// Five digits are a postal code that wins over the pending one; four digits are read as
// "City, ST" text and the pending postal code is used.
TEST(ForecastAddress, FiveDigitsAreAPostalCodeFourAreACity) {
    struct Case {
        const char* field;
        int source;
        const char* expected;
    };
    const Case cases[] = {
        {"02134", 0, "http://forecastSearch.test/zipcity.php?inputstring=02134"},
        {"02134", 20, "http://zipPortal.test/weather/local/02134?"},
        {"02134", 22,
         "http://accuPortal.test/adcbin/public/local_index.asp?partner=accuweather"
         "&zipcode=02134&metric=0"},
        // with the digits typed, city and state are the pending ones
        {"02134", 7,
         "http://weatherUnderground.test/cgi-bin/findweather/getForecast?query="
         "allston%2C+ma"},
        {"02134", 21, "http://cityPortal.test/cgi-bin/forecast.cgi?city=allston&sc=MA"},
        {"2134", 0, "http://forecastSearch.test/zipcity.php?inputstring=2134,%20"},
        {"2134", 20, "http://zipPortal.test/weather/local/99999?"},
        {"021345", 20, "http://zipPortal.test/weather/local/99999?"},
        {" 2134", 20, "http://zipPortal.test/weather/local/99999?"},
        {"0213a", 0, "http://forecastSearch.test/zipcity.php?inputstring=0213a,%20"},
    };
    for (const Case& c : cases) {
        ForecastInputs in = Manhattan(c.source);
        in.locationField = c.field;
        in.pendingCity = "Allston";
        in.pendingState = "MA";
        in.pendingPostalCode = "99999";
        EXPECT_EQ(Built(in), c.expected) << "'" << c.field << "' source " << c.source;
    }
}

TEST(ReadLocationField, SplitsCityAndStateAtTheFirstTwoCommasKeepingBlanks) {
    struct Case {
        const char* field;
        const char* city;
        const char* state;
    };
    const Case cases[] = {
        {"New York, NY", "New York", " NY"},
        {"New York,NY", "New York", "NY"},
        {"Springfield, IL, USA", "Springfield", " IL"},
        {"Boston", "Boston", ""},
        {",MA", "", "MA"},
        {"", "", ""},
        {"a,,b", "a", ""},
    };
    for (const Case& c : cases) {
        const ForecastPlace place = ReadLocationField(c.field, "Pending", "PS", "11111");
        EXPECT_EQ(place.city, c.city) << c.field;
        EXPECT_EQ(place.state, c.state) << c.field;
        EXPECT_EQ(place.postalCode, "11111") << c.field;
        EXPECT_FALSE(place.postalCodeTyped) << c.field;
    }
}

// The country decides between the city query and the country page; a country that is not
// in the Country box (here: none at all) gives the United States page.
TEST(ForecastAddress, CountryPagesUseTheRegionCodeAndUSWhenTheCountryIsUnknown) {
    struct Case {
        const char* country;
        int index;
        int source;
        const char* expected;
    };
    const Case cases[] = {
        {"", -1, 7, "http://weatherUnderground.test/global/US.html"},
        {"", -1, 8, "http://weatherUnderMobile.test/global/US.html"},
        {"Atlantis", -1, 7, "http://weatherUnderground.test/global/US.html"},
        {"Germany", 72, 7, "http://weatherUnderground.test/global/DL.html"},
        {"Austria", 11, 8, "http://weatherUnderMobile.test/global/OS.html"},
        {"united states", 0, 7,
         "http://weatherUnderground.test/cgi-bin/findweather/"
         "getForecast?query=new york%2C+ ny"},
        // the state page for the United States, the country's name elsewhere
        {"Germany", 72, 9,
         "http://weatherUnderMobile.test/cgi-bin/findweather/getForecast?"
         "brand=mobile&query=Germany"},
        // "&" in a country name would end the query early
        {"Bosnia & Herzegovina", 23, 9,
         "http://weatherUnderMobile.test/cgi-bin/findweather/"
         "getForecast?brand=mobile&query=Bosnia %26 Herzegovina"},
    };
    for (const Case& c : cases) {
        ForecastInputs in = Manhattan(c.source);
        in.pendingCountry = c.country;
        in.pendingCountryIndex = c.index;
        EXPECT_EQ(Built(in), c.expected) << "'" << c.country << "' source " << c.source;
    }
}

TEST(ForecastZoneCode, PadsTheZoneNumberAndRefusesFieldsThatAreNotAZone) {
    struct Case {
        const char* state;
        const char* number;
        std::optional<std::string> zone;
    };
    const Case cases[] = {
        {"NY", "72", "NYZ072"},     {"ny", "1", "NYZ001"},      {" TX ", "214 ", "TXZ214"},
        {"NY", "", std::nullopt},   {"NY", " ", std::nullopt},  {"NY", "1234", std::nullopt},
        {"NY", "7a", std::nullopt}, {"N", "72", std::nullopt},  {"NYC", "72", std::nullopt},
        {"", "72", std::nullopt},   {"N/", "72", std::nullopt}, {"NY", "../", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ForecastZoneCode(c.state, c.number), c.zone)
            << "'" << c.state << "' '" << c.number << "'";
}

// The text forecast needs a forecast city; without one (no place list) or with one whose
// fields are broken, nothing is built and the page keeps its address.
TEST(ForecastAddress, NothingWhenTheAddressCannotBeBuilt) {
    ForecastInputs noCity = Manhattan(2);
    noCity.forecastCity.reset();
    EXPECT_EQ(ForecastAddress(noCity), std::nullopt);
    ForecastInputs broken = Manhattan(2);
    broken.forecastCity = ForecastCity{"NY", "x"};
    EXPECT_EQ(ForecastAddress(broken), std::nullopt);
    EXPECT_EQ(ForecastAddress(Manhattan(-1)), std::nullopt);
    EXPECT_EQ(ForecastAddress(Manhattan(kForecastSourceCount)), std::nullopt);
    // every other source is built without a forecast city
    for (int s = 0; s < kForecastSourceCount; ++s) {
        noCity.source = s;
        if (s != 2) {
            EXPECT_NE(ForecastAddress(noCity), std::nullopt) << s;
        }
    }
}

TEST(ForecastAddress, TypedTextCannotBreakTheAddress) {
    ForecastInputs in = Manhattan(0);
    in.locationField = "New York\r\n#x, N&Y";
    EXPECT_EQ(Built(in), "http://forecastSearch.test/zipcity.php?inputstring=new york%0D%0A%23x,"
                         "%20 N%26Y");
    in.source = 3;
    in.stationCode = "k?y#";
    EXPECT_EQ(Built(in), "http://currentObservation.test/weather/current/K%3FY%23.html");
    in.source = 20;
    in.pendingPostalCode = "1?x";
    EXPECT_EQ(Built(in), "http://zipPortal.test/weather/local/1%3Fx?");
}

} // namespace
} // namespace skelvane
