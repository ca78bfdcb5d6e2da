#include "net/decode/region_codes.h"

namespace skelvane {

namespace {

// Codes of the Weather Underground's /global/ pages, ten countries a row, numbered by the
// Country box index of the row's first entry.
// clang-format off
static constexpr std::array<std::string_view, kRegionCodeCount> kRegionCodes = {
    /*   0 */ "US", "AH", "AB", "AL", "AN", "AA", "AT", "AG", "AM", "AW",
    /*  10 */ "AU", "OS", "A2", "BS", "BN", "BW", "BR", "BY", "BX", "BH",
    /*  20 */ "BJ", "BE", "BO", "BA", "BC", "BZ", "BT", "VG", "BF", "BU",
    /*  30 */ "HV", "BI", "KH", "CM", "CA", "CV", "GC", "CE", "CD", "CH",
    /*  40 */ "CI", "SR", "CO", "IC", "CG", "KU", "CS", "IV", "RH", "CU",
    /*  50 */ "CY", "CZ", "DN", "DJ", "DO", "DR", "EA", "EQ", "EG", "ES",
    /*  60 */ "GQ", "EE", "ET", "FK", "FJ", "FI", "FR", "FG", "PF", "GO",
    /*  70 */ "GB", "GE", "DL", "GH", "GI", "GR", "GL", "GD", "GP", "GU",
    /*  80 */ "GN", "GW", "GY", "HA", "HO", "HK", "HU", "IL", "IN", "ID",
    /*  90 */ "IR", "IQ", "IE", "IS", "IY", "JM", "JP", "JD", "KZ", "KN",
    /* 100 */ "KB", "KR", "KO", "KW", "KG", "LA", "LV", "LB", "LS", "LI",
    /* 110 */ "LY", "L1", "LU", "MU", "MK", "MG", "MW", "MS", "MV", "MI",
    /* 120 */ "ML", "MH", "MR", "MT", "MA", "MX", "KA", "M1", "MO", "MC",
    /* 130 */ "MZ", "BM", "NM", "NW", "NP", "NL", "NU", "NC", "NG", "NZ",
    /* 140 */ "NK", "NR", "NI", "NO", "OM", "PK", "KA", "PM", "PY", "PR",
    /* 150 */ "PH", "PL", "PO", "QT", "RE", "RO", "RS", "RW", "HE", "K1",
    /* 160 */ "LC", "P1", "VC", "ZM", "TP", "SD", "SG", "BA", "SC", "SL",
    /* 170 */ "SR", "S1", "LJ", "SO", "SI", "ZA", "GS", "SP", "SB", "SU",
    /* 180 */ "SM", "SV", "SN", "SW", "SY", "TW", "TJ", "TN", "TH", "TG",
    /* 190 */ "TO", "TD", "TS", "TU", "TM", "TV", "UG", "UR", "ER", "UK",
    /* 200 */ "US", "UY", "WK", "PN", "UZ", "NH", "VN", "VS", "VG", "EH",
    /* 210 */ "YE", "ZB", "ZW",
};
// clang-format on

} // namespace

const std::array<std::string_view, kRegionCodeCount>& RegionCodes() {
    return kRegionCodes;
}

std::string_view RegionCodeOfCountry(int countryIndex) {
    if (countryIndex < 0 || countryIndex >= kRegionCodeCount)
        return "US";
    return kRegionCodes[static_cast<std::size_t>(countryIndex)];
}

} // namespace skelvane
