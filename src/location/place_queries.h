#pragma once

#include "location/place_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// One entry of a sorted selection list and its shadow: the text shown and the index of the
// place-list line it stands for. Lists come sorted alphabetically ignoring ASCII case;
// entries that compare equal keep file order.
struct PlaceChoice {
    std::string name;
    std::size_t line = 0;
    friend bool operator==(const PlaceChoice&, const PlaceChoice&) = default;
};

// CountryBoxSelect for a country other than the United States: field 1 of every line of
// the country range whose field 3 equals the country (trimmed, ASCII case ignored).
std::vector<PlaceChoice> CountryPlaces(const PlaceList& list, std::string_view country);

// StateBox1Select: the US places of a state code. Lines of one city that follow each
// other (one per postal code) give one entry, the first of them in file order.
std::vector<PlaceChoice> StatePlaces(const PlaceList& list, std::string_view stateCode);

// StateBox2Select: the forecast cities of a state code (field 2 as it stands, ASCII case
// ignored); empty when the list has no forecast section.
std::vector<PlaceChoice> ForecastCities(const PlaceList& list, std::string_view stateCode);

// The first US line whose postal code (field 9, left-padded with 0 to five characters)
// equals the trimmed text exactly; nothing when the text is not a whole number or no line
// matches. Four digits therefore never find a code written with a leading zero.
std::optional<std::size_t> FindZipLine(const PlaceList& list, std::string_view zipText);

// FindZipButClick: the matching line, the state its field 2 names, that state's list and
// the entry to select (the first named like the line's field 1). The place to pick is
// places[selected].line: the first line of that city, whichever of its codes was typed.
struct ZipSearch {
    std::size_t matchLine = 0;
    int stateIndex = -1; // in kStates; -1 when the code is outside the table
    std::vector<PlaceChoice> places;
    int selected = -1; // in places; -1 when nothing is selected
};
std::optional<ZipSearch> FindZip(const PlaceList& list, std::string_view zipText);

} // namespace skelvane
