#pragma once

namespace skelvane {

struct GuessedLocation;
struct Settings;

// Takes a location guessed from the time zone as both the current and the to-be-saved
// place: coordinates, weather station code, city, state, country, place name and altitude
// (when the guess has one). The station's name, the hemisphere and the altitude unit stay
// as they are; nothing is written to the store until the next save.
void ApplyGuessedLocation(Settings& settings, const GuessedLocation& guess);

// A first run (no place name stored): the location is guessed from the computer's zone.
// Returns whether it guessed.
bool GuessLocationWhenNoneIsStored(Settings& settings);

} // namespace skelvane
