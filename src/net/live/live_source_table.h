#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane {

// One row of the table of today's public services that answer the radar and satellite
// requests: a key, its value and where the value comes from.
struct LiveSourceEntry {
    std::string_view key;
    std::string_view value;
    std::string_view note;
};

// The built-in table, as of 2026-12. These services rename things (the census map server
// switched its layer names to numbers in 2025), so every endpoint, layer, style and band
// lives here and a setting can change any of them. None of the values was checked against
// the live services when the table was written; `skelvane-fetch live-check` asks each
// source for one small thing and says which answer.
//
// Placeholders filled in when a value is used:
//   {site}      radar site as its ICAO identifier in lower case ("kokx", "pahg", "tjua")
//   {region}    national mosaic workspace of a place: conus, alaska, hawaii, guam, carib
//   {workspace} {layer}  the two halves of a map-server layer "workspace:layer"
//   {hhmm}      the newest ten-minute UTC slot at least 30 minutes old ("1420")
std::span<const LiveSourceEntry> DefaultLiveSourceEntries();

// The table in force: the built-in values with a setting's changes on top.
class LiveSourceTable {
public:
    LiveSourceTable(); // the built-in table

    // Changes: entries "key=value" separated by ";" or line breaks (a value may hold "=",
    // not ";"); blanks around keys and values are dropped; an empty value means "none"
    // (for a radar layer: that product has no source). Entries whose key is not in the
    // built-in table or that hold no "=" are left out and listed in `rejected`.
    static LiveSourceTable WithOverrides(std::string_view text,
                                         std::vector<std::string>* rejected = nullptr);

    // The value of `key`; empty for a key the table does not hold.
    std::string value(std::string_view key) const;
    bool has(std::string_view key) const;
    void set(std::string_view key, std::string value);
    // Whether the value differs from the built-in one.
    bool overridden(std::string_view key) const;

    friend bool operator==(const LiveSourceTable&, const LiveSourceTable&) = default;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

// `text` with every "{name}" of `fields` replaced by its value; unknown placeholders stay.
std::string FillPlaceholders(std::string_view text,
                             std::span<const std::pair<std::string_view, std::string>> fields);

// Who answers for a table key, for status lines: "the NWS radar map server".
std::string_view LiveServiceName(std::string_view key);

} // namespace skelvane
