#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// Small text helpers for the server replies read in this folder. Texts are UTF-8 (see
// AsUtf8); searching and upper-casing touch ASCII letters only, so byte positions found in
// an upper-cased copy hold in the original.

// Characters with a code of 32 or less (space and controls, CR included) removed from both
// ends.
std::string_view TrimControls(std::string_view text);

// Byte position of the first occurrence of `upperToken` (upper-case ASCII) in `text` with
// its ASCII letters upper-cased, or npos.
std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view upperToken,
                                  std::size_t from = 0);

// The text itself when it is valid UTF-8, else the text read as Latin-1 (each byte one
// character) and written as UTF-8. Every helper below that counts characters expects UTF-8.
std::string AsUtf8(std::string_view text);
bool IsValidUtf8(std::string_view text);

// Number of characters (code points) in UTF-8 text.
std::size_t CountCharacters(std::string_view utf8);
// Byte length of the first `count` characters of UTF-8 text (the whole text when shorter).
std::size_t ByteLengthOfCharacters(std::string_view utf8, std::size_t count);
// Byte position just past the character that starts at `at` (at most the text's size).
std::size_t NextCharacter(std::string_view utf8, std::size_t at);
// Byte position where the character that ends just before `at` starts (0 at the start).
std::size_t PreviousCharacter(std::string_view utf8, std::size_t at);
// The first `count` characters of UTF-8 text.
inline std::string_view FirstCharacters(std::string_view utf8, std::size_t count) {
    return utf8.substr(0, ByteLengthOfCharacters(utf8, count));
}

// A decimal number written with "." as the decimal point: an optional "-", digits, at most
// one ".", and at least one digit; nothing else, no blanks. Values that do not fit in a
// double (infinite) are refused too.
std::optional<double> ParseDecimalNumber(std::string_view text);

// Nearest whole number, halves to the even neighbour (71.5 -> 72, 72.5 -> 72); -0 comes back
// as +0 so that it prints as "0".
double RoundHalfEven(double value);
// A whole-numbered value written without decimals ("72", "-3", "100000000000000000000").
std::string WholeNumberText(double wholeValue);

} // namespace skelvane
