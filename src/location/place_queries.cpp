#include "location/place_queries.h"

#include "location/place_tables.h"
#include "location/place_text.h"

#include <algorithm>
#include <charconv>

namespace skelvane {

namespace {

void SortChoices(std::vector<PlaceChoice>& choices) {
    std::stable_sort(choices.begin(), choices.end(),
                     [](const PlaceChoice& a, const PlaceChoice& b) {
                         return LessIgnoringAsciiCase(a.name, b.name);
                     });
}

// Lines first..last of a range, clipped to the list.
template <typename Visit> void ForLines(const PlaceList& list, LineRange range, Visit visit) {
    for (std::size_t i = range.first; i <= range.last && i < list.size(); ++i)
        visit(i, list.line(i));
}

bool IsWholeNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc{} && end == text.data() + text.size();
}

} // namespace

std::vector<PlaceChoice> CountryPlaces(const PlaceList& list, std::string_view country) {
    const std::string_view wanted = Trim(country);
    std::vector<PlaceChoice> choices;
    ForLines(list, kCountryLines, [&](std::size_t i, std::string_view line) {
        if (EqualsIgnoringAsciiCase(PlaceField(line, 3), wanted))
            choices.push_back({std::string(PlaceField(line, 1)), i});
    });
    SortChoices(choices);
    return choices;
}

std::vector<PlaceChoice> StatePlaces(const PlaceList& list, std::string_view stateCode) {
    const std::string_view wanted = Trim(stateCode);
    std::vector<PlaceChoice> choices;
    if (wanted.empty())
        return choices;
    std::string_view lastAdded;
    ForLines(list, kUsPlaceLines, [&](std::size_t i, std::string_view line) {
        if (!EqualsIgnoringAsciiCase(Trim(PlaceField(line, 2)), wanted))
            return;
        const std::string_view name = PlaceField(line, 1);
        if (!choices.empty() && EqualsIgnoringAsciiCase(name, lastAdded))
            return;
        choices.push_back({std::string(name), i});
        lastAdded = name;
    });
    SortChoices(choices);
    return choices;
}

std::vector<PlaceChoice> ForecastCities(const PlaceList& list, std::string_view stateCode) {
    std::vector<PlaceChoice> choices;
    if (list.size() < kForecastFirstLine)
        return choices;
    ForLines(list, {kForecastFirstLine, list.size() - 1},
             [&](std::size_t i, std::string_view line) {
                 if (EqualsIgnoringAsciiCase(PlaceField(line, 2), stateCode))
                     choices.push_back({std::string(PlaceField(line, 1)), i});
             });
    SortChoices(choices);
    return choices;
}

std::optional<std::size_t> FindZipLine(const PlaceList& list, std::string_view zipText) {
    const std::string_view wanted = Trim(zipText);
    if (!IsWholeNumber(wanted))
        return std::nullopt;
    for (std::size_t i = kUsPlaceLines.first; i <= kUsPlaceLines.last && i < list.size(); ++i) {
        const std::string_view code = PlaceField(list.line(i), 9);
        // Padding only adds zeros in front, so only the padded length can match.
        if (std::max<std::size_t>(code.size(), 5) == wanted.size() &&
            LeftPad(code, 5, '0') == wanted)
            return i;
    }
    return std::nullopt;
}

std::optional<ZipSearch> FindZip(const PlaceList& list, std::string_view zipText) {
    const std::optional<std::size_t> line = FindZipLine(list, zipText);
    if (!line)
        return std::nullopt;
    ZipSearch search;
    search.matchLine = *line;
    const std::string_view text = list.line(*line);
    search.stateIndex = StateIndexOfCode(PlaceField(text, 2));
    if (search.stateIndex < 0)
        return search;
    search.places = StatePlaces(list, kStates[static_cast<std::size_t>(search.stateIndex)].code);
    const std::string_view name = PlaceField(text, 1);
    for (std::size_t i = 0; i < search.places.size(); ++i) {
        if (EqualsIgnoringAsciiCase(search.places[i].name, name)) {
            search.selected = static_cast<int>(i);
            break;
        }
    }
    return search;
}

} // namespace skelvane
