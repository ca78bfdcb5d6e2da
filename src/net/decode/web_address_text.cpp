#include "net/decode/web_address_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace skelvane {

namespace {

bool IsUnprintable(unsigned char byte) {
    return byte < 0x20 || byte >= 0x7F;
}

void AppendPercent(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

bool MustEscape(unsigned char byte, AddressPart part) {
    if (IsUnprintable(byte) || byte == '%' || byte == '#')
        return true;
    switch (part) {
    case AddressPart::kQueryValue:
        return byte == '&' || byte == ';' || byte == '+';
    case AddressPart::kPath:
        return byte == '?';
    }
    return false;
}

} // namespace

std::string EscapeUserText(std::string_view text, AddressPart part) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (MustEscape(byte, part))
            AppendPercent(out, byte);
        else
            out += c;
    }
    return out;
}

std::string EscapeUnprintable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnprintable(byte))
            AppendPercent(out, byte);
        else
            out += c;
    }
    return out;
}

std::string AsciiLowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string AsciiUpperCase(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator) {
    decimals = std::clamp(decimals, 0, 17);
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // The largest double has 309 integer digits; sign, point and 17 decimals fit as well.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string_view digits(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    // -0.00001 in F4 would read "-0.0000"; an address gets plain zero.
    if (!digits.empty() && digits.front() == '-' &&
        digits.find_first_not_of("0.", 1) == std::string_view::npos)
        digits.remove_prefix(1);
    const std::string separator = decimalSeparator.empty()
                                      ? std::string(".")
                                      : EscapeUserText(decimalSeparator, AddressPart::kQueryValue);
    std::string out;
    out.reserve(digits.size() + separator.size());
    for (const char c : digits) {
        if (c == '.')
            out += separator;
        else
            out += c;
    }
    return out;
}

} // namespace skelvane
