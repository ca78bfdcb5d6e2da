#include "location/location_guess.h"

#include "location/place_pick.h"
#include "location/place_text.h"

#include <array>
#include <string_view>

namespace skelvane {

namespace {

// One row per time-zone band: latitude (north positive); longitude, WEST positive;
// station; elevation in metres; city; state code (US rows) or country.
// Nuku'alofa and its airport lie at 175.2 degrees west, so that row's west-positive
// longitude is +175.2 (written with the other sign it would put Tonga in the far east of
// the date line, ten degrees off).
constexpr std::array<std::string_view, 31> kGuessTable = {
    "  7.1500;-171.2000;PKMJ;   2;Majuro;Marshall Islands",
    "-13.8000; 171.7500;NSAP;   2;Apia;Samoa",
    " 21.3061; 157.8597;PHNL;   3;Honolulu;HI",
    " 61.1667; 149.9833;PANC;  44;Anchorage;AK",
    " 34.0542; 118.2411;KLAX;  38;Los Angeles;CA",
    " 39.7494; 104.9894;KDNR;1626;Denver;CO",
    " 39.0822;  94.5889;KMKC; 231;Kansas City;MO",
    " 40.7517;  73.9942;KNYC;  47;New York;NY",
    " 44.6500;  63.5666;CYHZ; 145;Halifax;Canada",
    " 47.6167;  52.7373;CXSW; 114;St. John's;Canada",
    "-16.0000;  48.0000;SBBR;1061;Brasilia;Brazil",
    " 37.8333;  25.5000;LPLA;  52;Sao Miguel;Azores",
    " 51.5000;   0.0000;EGLL;  24;London;UK",
    " 52.4000;  -5.0000;EHAM;  -4;Amsterdam;Netherlands",
    " 44.4000; -26.1000;LRBS;  90;Bucharest;Romania",
    " 55.7500; -37.7000;UUDD; 179;Moscow;Russia",
    " 35.5000; -52.0000;OIII;1204;Tehran;Iran",
    " 24.4500; -54.3833;OMAA;  16;Abu Dhabi;UAE",
    " 24.9000; -67.1333;OPKC;  21;Karachi;Pakistan",
    " 28.6333; -77.2000;VIDD; 211;New Delhi;India",
    " 27.5000; -85.5000;VNKT;1337;Katmandu;Nepal",
    " 55.0200; -82.9300;UNNN; 177;Novosibirsk;Russia",
    " 17.0000; -96.0000;VYYY;  14;Rangoon;Burma",
    " 13.2000;-100.5000;VTBD;   4;Bangkok;Thailand",
    " 39.9000;-116.0000;ZBAA;  55;Beijing;China",
    " 35.7500;-139.5833;RJTT;   5;Tokyo;Japan",
    "-34.9333;-138.6000;YPAD;   6;Adelaide;Australia",
    "-27.4667;-153.0167;YBBN;   4;Brisbane;Australia",
    " -9.5333;-160.2000;AGGH;   8;Honiara;Solomon Islands",
    "-36.8500;-174.7667;NZAA;   7;Auckland;New Zealand",
    "-21.1333; 175.2000;NFTF;  38;Nuku'Alofa;Tonga",
};

// Upper limits of the bands, in the order they are tested.
constexpr std::array<double, 31> kBandLimits = {-12, -11, -10, -9, -8,  -7,  -6, -5, -4,  -3.5, -3,
                                                -1,  0,   1,   2,  3,   3.5, 4,  5,  5.5, 5.75, 6,
                                                6.5, 7,   8,   9,  9.5, 10,  11, 12, 13};

constexpr int kNewYorkRow = 7;
constexpr int kFirstUsRow = 2;
constexpr int kLastUsRow = 7;

} // namespace

int GuessRow(double standardOffsetHours) {
    for (std::size_t row = 0; row < kBandLimits.size(); ++row)
        if (standardOffsetHours <= kBandLimits[row])
            return static_cast<int>(row);
    return kNewYorkRow;
}

GuessedLocation GuessLatLon(double standardOffsetHours) {
    GuessedLocation guess;
    guess.row = GuessRow(standardOffsetHours);
    const std::string_view line = kGuessTable[static_cast<std::size_t>(guess.row)];
    const auto field = [&](int n) { return Word(line, n, ';'); };
    guess.city = CutToCharacters(field(5), kPlaceTextMax);
    ParseDecimal(field(1), guess.latitude);
    double westLongitude = 0;
    if (ParseDecimal(field(2), westLongitude))
        guess.longitude = -westLongitude;
    guess.stationCode = UpperAscii(field(3).substr(0, 4));
    double metres = 0;
    if (ParseDecimal(field(4), metres))
        guess.altitudeFeet = FeetFromMetres(metres);
    if (guess.row >= kFirstUsRow && guess.row <= kLastUsRow) {
        guess.state = std::string(field(6));
        guess.country = "United States";
        guess.placeName = CutToCharacters(guess.city + " " + guess.state, kPlaceTextMax);
    } else {
        guess.country = std::string(field(6));
        guess.placeName = CutToCharacters(guess.city + " " + guess.country, kPlaceTextMax);
    }
    return guess;
}

double StandardOffsetHours(const TimeZoneRecord& record) {
    return -(record.bias + record.standardBias) / 60.0;
}

double StandardOffsetHours(const TimeZoneState& state) {
    return state.baseOffsetHours + state.standardBiasHours;
}

} // namespace skelvane
