#pragma once

#include <QString>
#include <optional>

// The location page's wording and number rules as plain functions, so that they can be
// checked without a window.
namespace skelvane {

// The four read-out lines of UpdateLatLonDisplays: the Moon page shows the saved place with
// them, the Maps page the place picked last.
struct LatLonDisplayTexts {
    QString place;     // the name with its first '&' doubled, so a label shows it
    QString latitude;  // "Latitude:   40°  44'  54''   North   40.74833°"
    QString longitude; // "Longitude:  73°  59'  48''   West   73.99667°"
    QString altitude;  // "Altitude: 1,234 Feet = 376 Meters"
};
// Longitude 0 reads " West " and latitude 0 " North "; from 10000 feet on the metres are
// written "M" to keep the line short.
LatLonDisplayTexts LatLonDisplayLines(const QString& placeName, double latitude, double longitude,
                                      int altitudeFeet);

// Whole number with ',' between groups of three digits; a minus sign stays in front.
QString GroupThousands(long long value);

// Whole feet from AltitudeEd's text (an integer, blanks allowed) read in the unit the
// list shows; nothing when the text is no integer or the height does not fit.
std::optional<int> AltitudeFeetFromEdit(const QString& text, bool meters);
// What AltitudeEd shows for a saved height: the feet, or whole metres.
QString AltitudeEditFromFeet(int feet, bool meters);

// At most 128 characters, as every place text of a Location; a character outside the
// basic plane is never cut in two.
QString CutPlaceText(const QString& text);

} // namespace skelvane
