#include "net/decode/image_signatures.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

std::string Bytes(std::initializer_list<int> values, std::string_view tail = {}) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    out.append(tail);
    return out;
}

TEST(CheckGIFSignature, AcceptsBothVersionsInAnyCaseAndRefusesOtherBodies) {
    struct Case {
        std::string body;
        bool ok;
    };
    const Case cases[] = {
        {"GIF89a\x01\x02", true},
        {"gif89a", true},     // upper-cased before the comparison
        {"GIF87a....", true}, // only five bytes are compared for 87a
        {"GIF87", false},     // but the body needs six bytes
        {"GIF88a", false},
        {"<HTML><BODY>Not Found</BODY></HTML>", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckGIFSignature(c.body), c.ok) << c.body;
}

TEST(CheckJPGSignature, NeedsTwentyBytesTheStartMarkerAndAnApplicationName) {
    const std::string jfif = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10},
                                   std::string_view("JFIF\0\x01\x01\0\0\x01\0\x01", 12));
    ASSERT_EQ(jfif.size(), 18u);
    struct Case {
        const char* name;
        std::string body;
        bool ok;
    };
    const Case cases[] = {
        {"JFIF at 6", jfif + "xx", true},
        {"19 bytes", jfif + "x", false},
        {"Exif in lower case",
         Bytes({0xFF, 0xD8, 0xFF, 0xE1, 0, 0}, "exif" + std::string(10, '\0')), true},
        {"JFIF at 16", Bytes({0xFF, 0xD8, 0xFF, 0xDB}, std::string(12, '\0') + "JFIF"), true},
        {"jfif in lower case at 6",
         Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 0}, "jfif" + std::string(10, '\0')), false},
        {"no start marker", Bytes({0xFF, 0xD9, 0xFF, 0xE0, 0, 0}, "JFIF" + std::string(10, '\0')),
         false},
        {"HTML page", "<HTML><HEAD><TITLE>404</TITLE>", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckJPGSignature(c.body), c.ok) << c.name;
}

TEST(CheckMPGSignature, ProgramStreamsAndVideoStreamsPassPagesAndShortBodiesFail) {
    struct Case {
        const char* name;
        std::string body;
        bool ok;
    };
    const Case cases[] = {
        {"pack header", Bytes({0, 0, 1, 0xBA, 0x21}), true},
        {"sequence header", Bytes({0, 0, 1, 0xB3, 0x14}), true},
        {"start code alone", Bytes({0, 0, 1, 0xBA}), false},
        {"other start code", Bytes({0, 0, 1, 0xB5, 0}), false},
        {"one zero too few", Bytes({0, 1, 0xBA, 0, 0}), false},
        {"HTML page", "<HTML><HEAD><TITLE>404</TITLE>", false},
        {"JPEG", Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0}), false},
        {"empty", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckMPGSignature(c.body), c.ok) << c.name;
}

} // namespace
} // namespace skelvane
