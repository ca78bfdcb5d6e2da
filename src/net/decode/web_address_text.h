#pragma once

#include <string>
#include <string_view>

namespace skelvane {

// How text from the user or the place list goes into an address.
//
// The text reaches the site as typed: every byte stays as it is except those that would
// break the address or change what it asks for, which are written as %XX (upper-case hex):
// - control bytes 00-1F and 7F (a line break must never reach the browser or the shell
//   hand-off), and every byte 80-FF (UTF-8 is sent as its %XX bytes, as a browser does);
// - '%', so that a typed "%41" stays those three characters, and '#', which would cut the
//   rest off as a fragment;
// - in a query value also '&' and ';' (a new key) and '+' (a space); in a path also '?'.
// Spaces stay: the forecast search reads "new york" as typed, and the browser hand-off
// writes them as %20. The result is printable ASCII only.
enum class AddressPart {
    kQueryValue,
    kPath,
};
std::string EscapeUserText(std::string_view text, AddressPart part);

// Only the bytes outside printable ASCII (00-1F, 7F-FF) as %XX; for hosts and other texts
// that come from configuration.
std::string EscapeUnprintable(std::string_view text);

// ASCII letters lower- or upper-cased, every other byte kept.
std::string AsciiLowerCase(std::string_view text);
std::string AsciiUpperCase(std::string_view text);

// Fn of the address tables: `value` with exactly `decimals` decimals (0 to 17), rounded to
// nearest, written with the locale's decimal separator (escaped like user text; "." when
// empty). A result that rounds to zero carries no minus sign; NaN and infinities read
// "nan", "inf" and "-inf". Independent of the process's C locale.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

} // namespace skelvane
