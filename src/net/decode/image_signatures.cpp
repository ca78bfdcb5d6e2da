#include "net/decode/image_signatures.h"

#include <algorithm>
#include <cctype>

namespace skelvane {

namespace {

bool EqualsUpper(std::string_view text, std::string_view upper) {
    return text.size() == upper.size() &&
           std::equal(text.begin(), text.end(), upper.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

bool CheckGIFSignature(std::string_view body) {
    if (body.size() < 6)
        return false;
    return EqualsUpper(body.substr(0, 6), "GIF89A") || EqualsUpper(body.substr(0, 5), "GIF87");
}

bool CheckJPGSignature(std::string_view body) {
    if (body.size() < 20)
        return false;
    if (static_cast<unsigned char>(body[0]) != 0xFF || static_cast<unsigned char>(body[1]) != 0xD8)
        return false;
    return body.substr(6, 4) == "JFIF" || EqualsUpper(body.substr(6, 4), "EXIF") ||
           body.substr(16, 4) == "JFIF";
}

bool CheckMPGSignature(std::string_view body) {
    if (body.size() <= 4 || body[0] != '\0' || body[1] != '\0' || body[2] != '\x01')
        return false;
    const auto code = static_cast<unsigned char>(body[3]);
    return code == 0xBA || code == 0xB3;
}

} // namespace skelvane
