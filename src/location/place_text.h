#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace skelvane {

// The n-th word of a text (n from 1): the n-th maximal run of characters other than the
// separator. Runs of separators count as one, so a word is never empty; a word that does
// not exist is the empty view. Place-list fields are the words of a line split at ';'.
std::string_view Word(std::string_view text, int n, char separator);
inline std::string_view PlaceField(std::string_view line, int n) {
    return Word(line, n, ';');
}

// Blanks (spaces and tabs) removed from both ends.
std::string_view Trim(std::string_view text);
// ASCII letters upper-cased; every other byte kept (matching in the location code
// compares exactly after this).
std::string UpperAscii(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Case-insensitive order of the sorted list boxes (ASCII letters folded, then bytes).
bool LessIgnoringAsciiCase(std::string_view a, std::string_view b);

// At most `count` characters of UTF-8 text, never cutting a character in two (the place
// strings of a Location hold at most 128 characters).
std::string CutToCharacters(std::string_view utf8, std::size_t count);
inline constexpr std::size_t kPlaceTextMax = 128;

// `text` left-padded with `fill` to `width` characters (longer text is kept whole).
std::string LeftPad(std::string_view text, std::size_t width, char fill);

// 8-bit Windows-1252 text as UTF-8. The five code points the code page leaves undefined
// map to the C1 controls of the same value, as the platform's own conversion does.
std::string Cp1252ToUtf8(std::string_view text);

// A decimal number with blanks allowed around it ("  47", "-4", "1626.5").
bool ParseDecimal(std::string_view text, double& value);

} // namespace skelvane
