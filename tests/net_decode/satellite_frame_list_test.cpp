#include "net/decode/satellite_frame_list.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace skelvane {
namespace {

using Names = std::vector<std::string>;

TEST(ParseJPGList, ReadsSortsWithoutRegardToCaseAndKeepsTheFirstTen) {
    struct Row {
        const char* name;
        std::string body;
        FrameListStatus status;
        Names names;
        std::size_t refused;
    };
    const Row rows[] = {
        {"CR LF lines", "b.jpg\r\na.jpg\r\n", FrameListStatus::Ok, {"a.jpg", "b.jpg"}, 0},
        {"LF lines, no final end", "b.jpg\na.jpg", FrameListStatus::Ok, {"a.jpg", "b.jpg"}, 0},
        {"CR-only lines", "b.jpg\ra.jpg\r", FrameListStatus::Ok, {"a.jpg", "b.jpg"}, 0},
        // A byte-order sort would put B and C before a.
        {"case ignored",
         "C.jpg\nB.jpg\na.jpg\n",
         FrameListStatus::Ok,
         {"a.jpg", "B.jpg", "C.jpg"},
         0},
        // Names equal but for case keep one order whatever order the lines come in.
        {"case twins", "a.jpg\nA.jpg\n", FrameListStatus::Ok, {"A.jpg", "a.jpg"}, 0},
        {"the shorter of two names that start alike first",
         "ab.jpg\nAB.jpg.jpg\na.jpg\n",
         FrameListStatus::Ok,
         {"a.jpg", "ab.jpg", "AB.jpg.jpg"},
         0},
        {"blank lines and blanks around names",
         "\r\n  a.jpg \t\r\n\r\n\t\r\nb.jpg\r\n\r\n",
         FrameListStatus::Ok,
         {"a.jpg", "b.jpg"},
         0},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "b.jpg\na.jpg\n",
         FrameListStatus::Ok,
         {"a.jpg", "b.jpg"},
         0},
        // The sort is by text, so numbered names do not come in number order; the server's
        // lists use zero-padded time stamps.
        {"text order of numbers",
         "1.jpg\n2.jpg\n3.jpg\n4.jpg\n5.jpg\n6.jpg\n7.jpg\n8.jpg\n9.jpg\n10.jpg\n11.jpg\n12.jpg\n",
         FrameListStatus::Ok,
         {"1.jpg", "10.jpg", "11.jpg", "12.jpg", "2.jpg", "3.jpg", "4.jpg", "5.jpg", "6.jpg",
          "7.jpg"},
         0},
        {"first ten after sorting, lines in reverse",
         "GULF_IR_20240915_1400.jpg\nGULF_IR_20240915_1330.jpg\nGULF_IR_20240915_1300.jpg\n"
         "GULF_IR_20240915_1230.jpg\nGULF_IR_20240915_1200.jpg\nGULF_IR_20240915_1130.jpg\n"
         "GULF_IR_20240915_1100.jpg\nGULF_IR_20240915_1030.jpg\nGULF_IR_20240915_1000.jpg\n"
         "GULF_IR_20240915_0930.jpg\nGULF_IR_20240915_0900.jpg\ngulf_ir_20240915_0830.jpg\n",
         FrameListStatus::Ok,
         {"gulf_ir_20240915_0830.jpg", "GULF_IR_20240915_0900.jpg", "GULF_IR_20240915_0930.jpg",
          "GULF_IR_20240915_1000.jpg", "GULF_IR_20240915_1030.jpg", "GULF_IR_20240915_1100.jpg",
          "GULF_IR_20240915_1130.jpg", "GULF_IR_20240915_1200.jpg", "GULF_IR_20240915_1230.jpg",
          "GULF_IR_20240915_1300.jpg"},
         0},
        {"duplicates stay", "a.jpg\na.jpg\n", FrameListStatus::Ok, {"a.jpg", "a.jpg"}, 0},
        {"empty body", "", FrameListStatus::Empty, {}, 0},
        {"only blank lines", "\r\n \r\n\t\n\n", FrameListStatus::Empty, {}, 0},
        {"only a byte-order mark", "\xEF\xBB\xBF", FrameListStatus::Empty, {}, 0},
        {"an HTML error page",
         "<HTML><BODY>404 Not Found</BODY></HTML>\r\n",
         FrameListStatus::NoNames,
         {},
         1},
    };
    for (const Row& row : rows) {
        const SatelliteFrameList list = ParseJPGList(row.body);
        EXPECT_EQ(list.status, row.status) << row.name;
        EXPECT_EQ(list.names, row.names) << row.name;
        EXPECT_EQ(list.refused, row.refused) << row.name;
        EXPECT_EQ(list.ok(), row.status == FrameListStatus::Ok) << row.name;
    }
}

TEST(ParseJPGList, NamesThatWouldLeaveTheLoopFolderAreLeftOut) {
    const char* hostile[] = {
        "../secret.jpg",
        "..",
        ".",
        "..\\..\\x.jpg",
        "/etc/passwd",
        "/GIFS/ECIR.JPG",
        "sub/frame.jpg",
        "http://evil.example/x.jpg",
        "//evil.example/x.jpg",
        "frame.jpg?redirect=evil",
        "frame.jpg#top",
        "%2e%2e%2fx.jpg",
        "C:x.jpg",
        "frame 1.jpg",
        ".hidden.jpg",
        "-rf.jpg",
        "fr\xC3\xBCh.jpg",
        "a@b.jpg",
    };
    std::string body;
    for (const char* name : hostile)
        body += std::string(name) + "\r\n";
    const SatelliteFrameList onlyBad = ParseJPGList(body);
    EXPECT_EQ(onlyBad.status, FrameListStatus::NoNames);
    EXPECT_TRUE(onlyBad.names.empty());
    EXPECT_EQ(onlyBad.refused, std::size(hostile));

    // Among good names the bad ones are skipped and the good ones still load.
    const SatelliteFrameList mixed = ParseJPGList("z.jpg\r\n" + body + "a-1_b.JPG\r\n");
    ASSERT_TRUE(mixed.ok());
    EXPECT_EQ(mixed.names, (Names{"a-1_b.JPG", "z.jpg"}));
    EXPECT_EQ(mixed.refused, std::size(hostile));

    // A NUL or other control byte inside a line is no part of a name.
    const char controls[] = "a\0.jpg\nb\x01.jpg\n";
    EXPECT_EQ(ParseJPGList(std::string(controls, sizeof controls - 1)).status,
              FrameListStatus::NoNames);
}

TEST(IsPlainFrameName, LengthAndCharacterBounds) {
    EXPECT_TRUE(IsPlainFrameName("1.jpg"));
    EXPECT_TRUE(IsPlainFrameName("GULF_IR-2024.09.15.jpg"));
    EXPECT_TRUE(IsPlainFrameName(std::string(kSatelliteFrameNameMaxLength, 'a')));
    EXPECT_FALSE(IsPlainFrameName(std::string(kSatelliteFrameNameMaxLength + 1, 'a')));
    EXPECT_FALSE(IsPlainFrameName(""));
    EXPECT_FALSE(IsPlainFrameName("_x.jpg"));
    EXPECT_FALSE(IsPlainFrameName("x.jpg "));
}

TEST(ParseJPGList, SizeCapAndLongBodies) {
    // A body just at the cap, made of nothing but names, reads; one byte more does not.
    std::string body;
    int n = 0;
    while (body.size() + 12 <= kSatelliteFrameListMaxBytes)
        body += "f" + std::to_string(100000 + n++) + ".jpg\n";
    body.append(kSatelliteFrameListMaxBytes - body.size(), '\n');
    ASSERT_EQ(body.size(), kSatelliteFrameListMaxBytes);
    const SatelliteFrameList atCap = ParseJPGList(body);
    ASSERT_TRUE(atCap.ok());
    EXPECT_EQ(atCap.names.size(), kSatelliteLoopFrames);
    EXPECT_EQ(atCap.names.front(), "f100000.jpg");
    EXPECT_EQ(atCap.names.back(), "f100009.jpg");

    EXPECT_EQ(ParseJPGList(body + "\n").status, FrameListStatus::TooLarge);
    EXPECT_TRUE(ParseJPGList(body + "\n").names.empty());

    // One line as long as the cap is a single refused name, not a crash or a slow read.
    const SatelliteFrameList oneLine = ParseJPGList(std::string(kSatelliteFrameListMaxBytes, 'x'));
    EXPECT_EQ(oneLine.status, FrameListStatus::NoNames);
    EXPECT_EQ(oneLine.refused, 1u);
}

TEST(ParseJPGList, TheResultDoesNotDependOnTheOrderOfTheLines) {
    Names lines;
    for (int n = 0; n < 40; ++n)
        lines.push_back((n % 3 == 0 ? "IMG_" : "img_") + std::to_string(1000 + n * 7 % 40) +
                        ".jpg");
    lines.push_back("../x.jpg");
    lines.push_back("");
    std::mt19937 random(20240915);
    std::string first;
    Names expected;
    for (int round = 0; round < 20; ++round) {
        std::shuffle(lines.begin(), lines.end(), random);
        std::string body;
        for (const std::string& line : lines)
            body += line + (round % 2 ? "\r\n" : "\n");
        const SatelliteFrameList list = ParseJPGList(body);
        ASSERT_TRUE(list.ok());
        if (round == 0)
            expected = list.names;
        EXPECT_EQ(list.names, expected) << "round " << round;
    }
    ASSERT_EQ(expected.size(), kSatelliteLoopFrames);
    EXPECT_EQ(expected.front(), "IMG_1000.jpg");
    EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        std::string la = a, lb = b;
        for (char& c : la)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : lb)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return la < lb;
    }));
}

TEST(NumberedFrameNames, OneToTen) {
    const Names& names = NumberedFrameNames();
    ASSERT_EQ(names.size(), 10u);
    EXPECT_EQ(names.front(), "1.jpg");
    EXPECT_EQ(names[8], "9.jpg");
    EXPECT_EQ(names.back(), "10.jpg");
}

} // namespace
} // namespace skelvane
