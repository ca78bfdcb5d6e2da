#pragma once

#include <QString>

namespace skelvane {

// The second line of the built-in guide: the program's name and what it is.
inline constexpr const char* kProductLine = "Skelvane v2.0 - desktop clock, calendar and almanac";

// A product line must be longer than this to replace the built-in one.
inline constexpr int kShortestProductLine = 10;

// The built-in user guide shown when no help file is found: plain paragraphs separated by
// empty lines, line 2 being kProductLine.
QString BuiltInGuideText();

// `guide` with its line 2 replaced by `productLine`, when that is longer than
// kShortestProductLine characters (a one-line guide gets a line 2); otherwise `guide`
// unchanged.
QString WithProductLine(const QString& guide, const QString& productLine);

} // namespace skelvane
