#include "net/decode/radar_views.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace skelvane {

namespace {

struct RadarViewRow {
    std::string_view id; // empty for mosaics
    std::string_view name;
};

// clang-format off
constexpr std::array<RadarViewRow, kRadarViewCount> kRadarViews{{
    {"", "USA - Entire USA Small"}, // 0
    {"", "USA - Entire USA Large"}, // 1
    {"", "USA - NorthEast"}, // 2
    {"", "USA - SouthEast"}, // 3
    {"", "USA - Great Lakes"}, // 4
    {"", "USA - Louisiana"}, // 5
    {"", "USA - Great Plains"}, // 6
    {"", "USA - Texas"}, // 7
    {"", "USA - Rockies North"}, // 8
    {"", "USA - Rockies South"}, // 9
    {"", "USA - Pacific NorthWest"}, // 10
    {"", "USA - California"}, // 11
    {"", "USA - Alaska"}, // 12
    {"", "USA - Hawaii"}, // 13
    {"ahg", "AK - Anchorage"}, // 14
    {"abc", "AK - Bethel"}, // 15
    {"apd", "AK - Fairbanks"}, // 16
    {"acg", "AK - Juneau"}, // 17
    {"akc", "AK - King Salmon"}, // 18
    {"aih", "AK - Middleton Islands"}, // 19
    {"aec", "AK - Nome"}, // 20
    {"bmx", "AL - Birmingham"}, // 21
    {"mxx", "AL - Carrville (Maxwell AFB)"}, // 22
    {"eox", "AL - Fort Rucker"}, // 23
    {"htx", "AL - Huntsville"}, // 24
    {"mob", "AL - Mobile"}, // 25
    {"srx", "AR - Fort Smith"}, // 26
    {"lzk", "AR - Little Rock"}, // 27
    {"fsx", "AZ - Flagstaff"}, // 28
    {"iwa", "AZ - Phoenix (Williams AFB)"}, // 29
    {"emx", "AZ - Tucson"}, // 30
    {"yux", "AZ - Yuma"}, // 31
    {"eyx", "CA - California City (Edwards AFB)"}, // 32
    {"bhx", "CA - Eureka"}, // 33
    {"hnx", "CA - Fresno"}, // 34
    {"vtx", "CA - Los Angeles"}, // 35
    {"bbx", "CA - Sacramento (Beale AFB)"}, // 36
    {"dax", "CA - Sacremento (McClellan AFB)"}, // 37
    {"nkx", "CA - San Diego"}, // 38
    {"mux", "CA - San Francisco"}, // 39
    {"sox", "CA - Santa Ana (March AFB)"}, // 40
    {"vbx", "CA - Santa Barbera (Vandenberg)"}, // 41
    {"ftg", "CO - Denver"}, // 42
    {"gjx", "CO - Grand Junction"}, // 43
    {"pux", "CO - Pueblo"}, // 44
    {"lwx", "DC - Washington"}, // 45
    {"dox", "DE - Dover AFB"}, // 46
    {"jax", "FL - Jacksonville"}, // 47
    {"byx", "FL - Key West"}, // 48
    {"mlb", "FL - Melbourne"}, // 49
    {"amx", "FL - Miami"}, // 50
    {"evx", "FL - Red Bay (Eglin AFB)"}, // 51
    {"tlh", "FL - Tallahassee"}, // 52
    {"tbw", "FL - Tampa Bay"}, // 53
    {"ffc", "GA - Atlanta"}, // 54
    {"vax", "GA - Moody AFB"}, // 55
    {"jgx", "GA - Robins AFB"}, // 56
    {"gua", "GU - Guam"}, // 57
    {"hkm", "HI - Kohala"}, // 58
    {"hmo", "HI - Molokai"}, // 59
    {"hwa", "HI - South Hawaii"}, // 60
    {"hki", "HI - South Kauai"}, // 61
    {"dvn", "IA - Davenport"}, // 62
    {"dmx", "IA - Des Moines"}, // 63
    {"cbx", "ID - Boise"}, // 64
    {"sfx", "ID - Pocatello"}, // 65
    {"lot", "IL - Chicago"}, // 66
    {"ilx", "IL - Springfield"}, // 67
    {"vwx", "IN - Evansville"}, // 68
    {"ind", "IN - Indianapolis"}, // 69
    {"iwx", "IN - Webster"}, // 70
    {"ddc", "KS - Dodge City"}, // 71
    {"gld", "KS - Goodland"}, // 72
    {"twx", "KS - Topeka"}, // 73
    {"ict", "KS - Wichita"}, // 74
    {"hpx", "KY - Fort Campbell"}, // 75
    {"jkl", "KY - Jackson"}, // 76
    {"lvx", "KY - Louisville (Fort Knox)"}, // 77
    {"pah", "KY - Paducah"}, // 78
    {"poe", "LA - Fort Polk"}, // 79
    {"lch", "LA - Lake Charles"}, // 80
    {"lix", "LA - New Orleans"}, // 81
    {"shv", "LA - Shreveport"}, // 82
    {"box", "MA - Boston"}, // 83
    {"cbw", "ME - Caribou (Loring AFB)"}, // 84
    {"gyx", "ME - Portland"}, // 85
    {"dtx", "MI - Detroit"}, // 86
    {"apx", "MI - Gaylord"}, // 87
    {"grr", "MI - Grand Rapids"}, // 88
    {"mqt", "MI - Marquette"}, // 89
    {"dlh", "MN - Duluth"}, // 90
    {"mpx", "MN - Minneapolis-Saint Paul"}, // 91
    {"eax", "MO - Kansas City"}, // 92
    {"sgf", "MO - Springfield"}, // 93
    {"lsx", "MO - St Louis"}, // 94
    {"gwx", "MS - Columbus AFB"}, // 95
    {"dgx", "MS - Jackson"}, // 96
    {"blx", "MT - Billings"}, // 97
    {"ggw", "MT - Glasgow"}, // 98
    {"tfx", "MT - Great Falls"}, // 99
    {"msx", "MT - Missoula"}, // 100
    {"mhx", "NC - Newport"}, // 101
    {"rax", "NC - Raleigh-Durham"}, // 102
    {"ltx", "NC - Wilmington"}, // 103
    {"bis", "ND - Bismarck"}, // 104
    {"mvx", "ND - Fargo"}, // 105
    {"mbx", "ND - Minot AFB"}, // 106
    {"uex", "NE - Grand Island"}, // 107
    {"lnx", "NE - North Platte"}, // 108
    {"oax", "NE - Omaha"}, // 109
    {"hdx", "NM - Alamogordo (Holloman AFB)"}, // 110
    {"abx", "NM - Albuquerque"}, // 111
    {"fdx", "NM - Clovis (Cannon AFB)"}, // 112
    {"lrx", "NV - Elko"}, // 113
    {"esx", "NV - Las Vegas"}, // 114
    {"rgx", "NV - Reno"}, // 115
    {"enx", "NY - Albany"}, // 116
    {"bgm", "NY - Binghamton"}, // 117
    {"buf", "NY - Buffalo"}, // 118
    {"tyx", "NY - Montague (Ft Drum AFB)"}, // 119
    {"okx", "NY - New York City"}, // 120
    {"iln", "OH - Cincinnati"}, // 121
    {"cle", "OH - Cleveland"}, // 122
    {"vnx", "OK - Enid (Vance AFB)"}, // 123
    {"fdr", "OK - Frederick"}, // 124
    {"tlx", "OK - Oklahoma City"}, // 125
    {"inx", "OK - Tulsa"}, // 126
    {"max", "OR - Medford"}, // 127
    {"pdt", "OR - Pendleton"}, // 128
    {"rtx", "OR - Portland"}, // 129
    {"dix", "PA - Philadelphia"}, // 130
    {"pbz", "PA - Pittsburgh"}, // 131
    {"ccx", "PA - State College"}, // 132
    {"jua", "PR - San Juan"}, // 133
    {"clx", "SC - Charleston"}, // 134
    {"cae", "SC - Columbia"}, // 135
    {"gsp", "SC - Greenville"}, // 136
    {"abr", "SD - Aberdeen"}, // 137
    {"udx", "SD - Rapid City"}, // 138
    {"fsd", "SD - Sioux Falls"}, // 139
    {"mrx", "TN - Knoxville"}, // 140
    {"nqa", "TN - Memphis"}, // 141
    {"ohx", "TN - Nashville"}, // 142
    {"dyx", "TX - Abilene (Moran/Dyess AFB)"}, // 143
    {"ama", "TX - Amarillo"}, // 144
    {"ewx", "TX - Austin-San Antonio"}, // 145
    {"dfx", "TX - Bracketville (Laughlin AFB)"}, // 146
    {"bro", "TX - Brownsville"}, // 147
    {"grk", "TX - Central Texas (Ft Hood)"}, // 148
    {"crp", "TX - Corpus Christi"}, // 149
    {"fws", "TX - Dallas-Ft Worth"}, // 150
    {"epz", "TX - El Paso"}, // 151
    {"hgx", "TX - Houston"}, // 152
    {"lbb", "TX - Lubbock"}, // 153
    {"maf", "TX - Midland/Odessa"}, // 154
    {"sjt", "TX - San Angelo"}, // 155
    {"icx", "UT - Cedar City"}, // 156
    {"mtx", "UT - Salt Lake City"}, // 157
    {"akq", "VA - Norfolk-Richmond"}, // 158
    {"fcx", "VA - Roanoke"}, // 159
    {"cxx", "VT - Burlington"}, // 160
    {"atx", "WA - Seattle-Tacoma"}, // 161
    {"otx", "WA - Spokane"}, // 162
    {"grb", "WI - Green Bay"}, // 163
    {"arx", "WI - LaCrosse"}, // 164
    {"mkx", "WI - Milwaukee"}, // 165
    {"rlx", "WV - Charleston"}, // 166
    {"cys", "WY - Cheyenne"}, // 167
    {"riw", "WY - Riverton"}, // 168
}};
// clang-format on

} // namespace

bool IsRadarView(int view) {
    return view >= 0 && view < kRadarViewCount;
}

bool IsRadarMosaicView(int view) {
    return view >= 0 && view < kFirstRadarSiteView;
}

bool IsRadarSiteView(int view) {
    return view >= kFirstRadarSiteView && view < kRadarViewCount;
}

bool InRadarAlaskaGroup(int view) {
    return view == kRadarAlaskaMosaicView || (view >= 14 && view <= 20);
}

bool InRadarHawaiiGroup(int view) {
    return view == kRadarHawaiiMosaicView || (view >= 58 && view <= 61);
}

std::string_view RadarViewName(int view) {
    return IsRadarView(view) ? kRadarViews[static_cast<std::size_t>(view)].name
                             : std::string_view{};
}

std::string RadarViewEntryText(int view) {
    if (!IsRadarView(view))
        return {};
    return " " + std::string(RadarViewName(view));
}

std::string_view RadarSiteId(int view) {
    return IsRadarView(view) ? kRadarViews[static_cast<std::size_t>(view)].id : std::string_view{};
}

std::string RadarSiteIdUpper(int view) {
    std::string id(RadarSiteId(view));
    std::transform(id.begin(), id.end(), id.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return id;
}

RadarMapSize GetMapSize(int view) {
    if (!IsRadarView(view))
        return {};
    if (view == kRadarUsaLargeView)
        return {3400, 1600};
    if (view == kRadarUsaSmallView)
        return {600, 282};
    if (IsRadarMosaicView(view))
        return {600, 571};
    return {600, 550};
}

RadarMapSize ScaledMapSize(int view, double zoom) {
    const RadarMapSize size = GetMapSize(view);
    if (zoom == 1.0 || !(zoom > 0) || !std::isfinite(zoom))
        return size;
    return {static_cast<int>(std::nearbyint(size.width * zoom)),
            static_cast<int>(std::nearbyint(size.height * zoom))};
}

std::optional<double> ToggledRadarZoom(int view, double zoom) {
    if (view == kRadarUsaLargeView)
        return std::nullopt;
    return zoom > 1.0 ? 1.0 : 2.0;
}

std::string_view RadarZoomButtonCaption(double zoom) {
    return zoom > 1.0 ? "Zoom Out" : "Zoom In";
}

RadarControlVisibility RadarControlVisibilityFor(int view) {
    if (!IsRadarView(view))
        return {};
    return {view != kRadarUsaLargeView, IsRadarSiteView(view), true};
}

int DesiredFrameCountForView(int view, int stateMaxImages, int nationalMaxImages) {
    const int count = IsRadarSiteView(view) ? stateMaxImages : nationalMaxImages;
    return std::clamp(count, kRadarMinFrames, kRadarMaxFrames);
}

int MosaicFrameCount(int desired, int loopFrameCount) {
    return std::clamp(desired, 1, std::max(loopFrameCount, 1));
}

} // namespace skelvane
