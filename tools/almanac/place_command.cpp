// place: queries of the place list (sitename.dat), one JSON object per place-list line.
#include "almanac/commands.h"

#include "location/place_list_file.h"
#include "location/place_pick.h"
#include "location/place_queries.h"
#include "location/place_tables.h"
#include "location/place_text.h"

#include <charconv>

namespace skelvane::almanac {

namespace {

void AddText(JsonLine& json, std::string_view key, std::string_view value) {
    if (value.empty())
        json.addNull(key);
    else
        json.add(key, value);
}

void AddNumber(JsonLine& json, std::string_view key, std::optional<double> value) {
    if (value)
        json.add(key, *value);
    else
        json.addNull(key);
}

std::string PlaceJson(std::string_view line) {
    JsonLine json;
    AddText(json, "name", Trim(PlaceField(line, 1)));
    AddText(json, "state", Trim(PlaceField(line, 2)));
    AddText(json, "country", Trim(PlaceField(line, 3)));
    AddText(json, "station", UpperAscii(Trim(PlaceField(line, 4))));
    AddNumber(json, "lat", ParseCoordinateField(PlaceField(line, 5)));
    AddNumber(json, "lon", ParseCoordinateField(PlaceField(line, 6)));
    AddNumber(json, "elevation_m", ElevationMetres(line));
    const std::string_view zone = Trim(PlaceField(line, 8));
    int zoneNumber = 0;
    const auto [end, error] = std::from_chars(zone.data(), zone.data() + zone.size(), zoneNumber);
    if (!zone.empty() && error == std::errc{} && end == zone.data() + zone.size())
        json.add("zone", zoneNumber);
    else
        json.addNull("zone");
    const std::string_view zip = Trim(PlaceField(line, 9));
    AddText(json, "zip", zip.empty() ? std::string() : LeftPad(zip, 5, '0'));
    return json.str();
}

// --nearest-station takes two values, which Arguments does not do: take them out first.
struct NearestStationWords {
    std::vector<std::string> rest;
    std::optional<LatLon> point;
};

double CoordinateWord(const std::string& word, const char* what, double limit) {
    double value = 0;
    if (!ParseDecimal(word, value))
        throw UsageError{std::string("--nearest-station needs a ") + what + " number, not '" +
                         word + "'"};
    if (value < -limit || value > limit)
        throw UsageError{std::string("--nearest-station ") + what + " must lie between " +
                         std::to_string(-limit) + " and " + std::to_string(limit)};
    return value;
}

NearestStationWords TakeNearestStation(const std::vector<std::string>& words) {
    NearestStationWords result;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "--nearest-station") {
            result.rest.push_back(words[i]);
            continue;
        }
        if (result.point)
            throw UsageError{"--nearest-station given twice"};
        if (i + 2 >= words.size())
            throw UsageError{"--nearest-station needs two values, LAT LON"};
        result.point = LatLon{CoordinateWord(words[i + 1], "latitude", 90),
                              CoordinateWord(words[i + 2], "longitude", 180)};
        i += 2;
    }
    return result;
}

PlaceList LoadList(const Arguments& arguments) {
    const std::vector<std::filesystem::path> folders = PlaceListFolders(ProgramFolder());
    PlaceListLoad load =
        arguments.has("file") ? LoadPlaceListFile(arguments.text("file")) : LoadPlaceList(folders);
    if (load.loaded)
        return std::move(load.list);
    if (load.file.empty()) {
        std::string searched;
        for (const auto& folder : folders)
            searched += (searched.empty() ? "" : ", ") + folder.string();
        throw CommandFailure{std::string(kPlaceListFileName) + " not found (looked in " + searched +
                             "); give its path with --file"};
    }
    throw CommandFailure{load.file.string() + ": " + load.error};
}

} // namespace

void PlaceCommand(const std::vector<std::string>& words, std::ostream& out) {
    const NearestStationWords nearest = TakeNearestStation(words);
    const Arguments arguments(nearest.rest, {"zip", "country", "state", "file"}, {"json"});
    const bool usCountry = arguments.has("country") && IsUnitedStates(arguments.text("country"));
    const int queries = arguments.has("zip") + (arguments.has("country") && !usCountry) +
                        arguments.has("state") + nearest.point.has_value();
    if (queries != 1 || (usCountry && !arguments.has("state")))
        throw UsageError{"give one of --zip, --country (not the United States: use --state), "
                         "--state or --nearest-station"};
    if (arguments.has("zip") &&
        (Trim(arguments.text("zip")).empty() ||
         Trim(arguments.text("zip")).find_first_not_of("0123456789") != std::string_view::npos))
        throw UsageError{"--zip needs a postal code of digits, not '" + arguments.text("zip") +
                         "'"};
    std::string stateCode;
    if (arguments.has("state")) {
        const std::string& text = arguments.text("state");
        int index = StateIndexOfCode(text);
        for (std::size_t i = 0; index < 0 && i < kStates.size(); ++i)
            if (EqualsIgnoringAsciiCase(kStates[i].name, Trim(text)))
                index = static_cast<int>(i);
        if (index < 0)
            throw UsageError{"--state needs a state of the list, such as NY, not '" + text + "'"};
        stateCode = kStates[static_cast<std::size_t>(index)].code;
    }
    if (arguments.has("country") && !usCountry && CountryIndexOf(arguments.text("country")) < 0)
        throw UsageError{"unknown country '" + arguments.text("country") + "'"};

    const PlaceList list = LoadList(arguments);
    std::vector<std::size_t> lines;
    if (arguments.has("zip")) {
        const std::optional<std::size_t> line = FindZipLine(list, arguments.text("zip"));
        if (!line)
            throw CommandFailure{"no US place has postal code " +
                                 std::string(Trim(arguments.text("zip")))};
        lines.push_back(*line);
    } else if (nearest.point) {
        const std::optional<std::size_t> line = FindClosest(list, *nearest.point);
        if (!line)
            throw CommandFailure{"the place list holds no weather station"};
        lines.push_back(*line);
    } else {
        const std::vector<PlaceChoice> choices =
            arguments.has("state") ? StatePlaces(list, stateCode)
                                   : CountryPlaces(list, arguments.text("country"));
        for (const PlaceChoice& choice : choices)
            lines.push_back(choice.line);
    }
    for (const std::size_t line : lines)
        out << PlaceJson(list.line(line)) << '\n';
}

} // namespace skelvane::almanac
