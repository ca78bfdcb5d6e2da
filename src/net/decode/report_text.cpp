#include "net/decode/report_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace skelvane {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::string_view TrimControls(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return text.substr(begin, end - begin);
}

std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view upperToken,
                                  std::size_t from) {
    if (upperToken.empty())
        return from <= text.size() ? from : std::string_view::npos;
    if (text.size() < upperToken.size())
        return std::string_view::npos;
    const std::size_t last = text.size() - upperToken.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (UpperAscii(text[i]) != upperToken[0])
            continue;
        std::size_t k = 1;
        while (k < upperToken.size() && UpperAscii(text[i + k]) == upperToken[k])
            ++k;
        if (k == upperToken.size())
            return i;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1Fu;
            smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0Fu;
            smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07u;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (!IsContinuationByte(byte))
                return false;
            code = (code << 6) | (byte & 0x3Fu);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not UTF-8.
        if (code < smallest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

std::string AsUtf8(std::string_view text) {
    if (IsValidUtf8(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        if (!IsContinuationByte(static_cast<unsigned char>(c)))
            ++count;
    return count;
}

std::size_t ByteLengthOfCharacters(std::string_view utf8, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (IsContinuationByte(static_cast<unsigned char>(utf8[i])))
            continue;
        if (seen == count)
            return i;
        ++seen;
    }
    return utf8.size();
}

std::size_t NextCharacter(std::string_view utf8, std::size_t at) {
    if (at >= utf8.size())
        return utf8.size();
    ++at;
    while (at < utf8.size() && IsContinuationByte(static_cast<unsigned char>(utf8[at])))
        ++at;
    return at;
}

std::size_t PreviousCharacter(std::string_view utf8, std::size_t at) {
    if (at > utf8.size())
        at = utf8.size();
    if (at == 0)
        return 0;
    --at;
    while (at > 0 && IsContinuationByte(static_cast<unsigned char>(utf8[at])))
        --at;
    return at;
}

std::optional<double> ParseDecimalNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    int digits = 0;
    int points = 0;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            ++digits;
        else if (text[i] == '.' && points == 0)
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0)
        return std::nullopt;
    // strtod needs a terminated string; the text holds only sign, digits and a point.
    const std::string terminated(text);
    const double value = std::strtod(terminated.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

double RoundHalfEven(double value) {
    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5)
        rounded = 2.0 * std::round(value / 2.0);
    return rounded + 0.0;
}

std::string WholeNumberText(double wholeValue) {
    // The largest double has 309 digits before the point.
    char buffer[400];
    const int length = std::snprintf(buffer, sizeof buffer, "%.0f", wholeValue + 0.0);
    if (length <= 0)
        return {};
    return std::string(buffer, static_cast<std::size_t>(length));
}

} // namespace skelvane
