#pragma once

#include <string>
#include <string_view>

namespace skelvane {

// Reading the labelled fields of a decoded observation report, for example
//   Wind: from the NW (310 degrees) at 12 MPH (10 KT):0
//   Temperature: 57.0 F (13.9 C)
//   Relative Humidity: 33%
// `report` is the whole body (or any part of it); labels are matched without regard to
// case anywhere in it. Returned views point into `report`.

// The report's mark for "no temperature": every real reading lies above it.
inline constexpr double kNoTemperature = -200.0;

// Value of the first field labelled `upperToken` (upper-case ASCII, "SKY CONDITIONS:"):
// the text from the second character after the label to the end of the label's own line,
// trimmed of blanks and controls. Empty when the label is missing or nothing follows it on
// its line (the value never runs on into the next line).
std::string_view ReportFieldValue(std::string_view report, std::string_view upperToken);

// Wind speed as written: the word that ends two characters before the first "MPH" (in any
// case), that is the characters from there back to a space, a line feed or the start of the
// report, trimmed. Empty when there is no "MPH" (calm or missing wind).
std::string_view WindSpeedText(std::string_view report);

// Upper-cases (ASCII) the first character and every character that follows one with a code
// below 33 (space or control); all other characters stay as they are. "light rain; mist"
// gives "Light Rain; Mist".
std::string Capitalise(std::string_view text);

// Temperature in degrees Fahrenheit from the "TEMPERATURE:" field: its part before the
// first "(", keeping only the characters "-.0123456789", read as a decimal number.
// kNoTemperature when the field is missing or does not read as a number.
double ReadTemperatureF(std::string_view report);

// Wind text for the summary. With a speed before "MPH": the speed, a space and "Mph", or for
// `temperatureUnits` "C" the speed in kilometres per hour rounded to a whole number (halves
// to even) and "Kph" ("9 Mph", "14 Kph"). Without one: the capitalised "WIND:" value, or
// "Calm" when that value contains "calm" in any case; empty when there is no wind field.
std::string WindText(std::string_view report, std::string_view temperatureUnits);

// Capitalised values of "SKY CONDITIONS:", "WEATHER:" and "HUMIDITY:" ("Overcast",
// "Light Rain; Mist", "71%").
std::string SkyConditionsText(std::string_view report);
std::string WeatherConditionsText(std::string_view report);
std::string HumidityText(std::string_view report);

} // namespace skelvane
