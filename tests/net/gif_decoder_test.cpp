#include "hand_gif.h"
#include "net/gif_decoder.h"
#include "support/qstring_printer.h"

#include <gtest/gtest.h>

namespace skelvane {
namespace {

using test::BuildGif;
using test::HandFrame;
using test::HandGif;
using test::SolidFrame;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
constexpr QRgb kClear = 0x00000000;

QRgb Opaque(std::uint32_t rgb) {
    return 0xFF000000u | rgb;
}

HandFrame WithControl(HandFrame frame, int disposal, int delay = 0, int transparent = -1) {
    frame.control = true;
    frame.disposal = disposal;
    frame.delay = delay;
    frame.transparent = transparent;
    return frame;
}

// Red screen; a green square at (1,1) with the disposal under test; a blue dot at (0,0).
QByteArray DisposalGif(int disposal) {
    HandGif gif;
    gif.width = gif.height = 4;
    gif.globalTable = {kRed, kGreen, kBlue, kWhite};
    gif.frames = {WithControl(SolidFrame(0, 0, 4, 4, 0), 1),
                  WithControl(SolidFrame(1, 1, 2, 2, 1), disposal),
                  WithControl(SolidFrame(0, 0, 1, 1, 2), 1)};
    return BuildGif(gif);
}

TEST(GifDecoder, EachDisposalMethodActsBeforeTheNextFrame) {
    struct Case {
        const char* name;
        int disposal;
        QRgb underSquare; // (1,1) in the third frame
    };
    const Case cases[] = {
        {"unspecified leaves the frame", 0, Opaque(kGreen)},
        {"leave", 1, Opaque(kGreen)},
        {"restore to background clears to transparent", 2, kClear},
        {"restore to previous brings back the red", 3, Opaque(kRed)},
        {"an undefined method leaves the frame", 5, Opaque(kGreen)},
    };
    for (const Case& c : cases) {
        GifDecoder decoder;
        const auto animation = decoder.decode(DisposalGif(c.disposal));
        ASSERT_TRUE(animation) << c.name << ": " << decoder.errorString().toStdString();
        ASSERT_EQ(animation->frames.size(), 3u) << c.name;
        EXPECT_EQ(animation->frames[1].image.pixel(1, 1), Opaque(kGreen)) << c.name;
        EXPECT_EQ(animation->frames[1].image.pixel(2, 2), Opaque(kGreen)) << c.name;
        const QImage& third = animation->frames[2].image;
        EXPECT_EQ(third.pixel(1, 1), c.underSquare) << c.name;
        EXPECT_EQ(third.pixel(2, 2), c.underSquare) << c.name;
        EXPECT_EQ(third.pixel(0, 0), Opaque(kBlue)) << c.name;
        EXPECT_EQ(third.pixel(3, 3), Opaque(kRed)) << c.name << ": outside the square";
        EXPECT_EQ(third.pixel(3, 1), Opaque(kRed)) << c.name << ": outside the square";
    }
}

TEST(GifDecoder, RestoringToPreviousAfterTheFirstFrameLeavesTheEmptyScreen) {
    HandGif gif;
    gif.width = gif.height = 3;
    gif.globalTable = {kRed, kGreen};
    gif.frames = {WithControl(SolidFrame(1, 1, 2, 2, 0), 3), SolidFrame(0, 0, 1, 1, 1)};
    GifDecoder decoder;
    const auto animation = decoder.decode(BuildGif(gif));
    ASSERT_TRUE(animation) << decoder.errorString().toStdString();
    EXPECT_EQ(animation->frames[0].image.pixel(1, 1), Opaque(kRed));
    EXPECT_EQ(animation->frames[0].image.pixel(0, 0), kClear);
    EXPECT_EQ(animation->frames[1].image.pixel(1, 1), kClear);
    EXPECT_EQ(animation->frames[1].image.pixel(0, 0), Opaque(kGreen));
}

TEST(GifDecoder, TransparentPixelsShowTheFrameBelow) {
    HandGif gif;
    gif.width = gif.height = 2;
    gif.globalTable = {kRed, kGreen, kBlue, kWhite};
    HandFrame first = WithControl(SolidFrame(0, 0, 2, 2, 0), 1, 0, 3);
    first.pixels = {0, 3, 3, 0}; // the screen stays transparent under index 3
    HandFrame second = WithControl(SolidFrame(0, 0, 2, 2, 1), 1, 0, 1);
    second.pixels = {2, 1, 1, 1}; // index 1 is transparent here; only (0,0) turns blue
    gif.frames = {first, second};
    GifDecoder decoder;
    const auto animation = decoder.decode(BuildGif(gif));
    ASSERT_TRUE(animation) << decoder.errorString().toStdString();
    const QImage& a = animation->frames[0].image;
    EXPECT_EQ(a.format(), QImage::Format_ARGB32);
    EXPECT_EQ(a.pixel(0, 0), Opaque(kRed));
    EXPECT_EQ(a.pixel(1, 0), kClear);
    EXPECT_EQ(a.pixel(0, 1), kClear);
    const QImage& b = animation->frames[1].image;
    EXPECT_EQ(b.pixel(0, 0), Opaque(kBlue));
    EXPECT_EQ(b.pixel(1, 0), kClear);
    EXPECT_EQ(b.pixel(1, 1), Opaque(kRed));
}

TEST(GifDecoder, EachFrameNamesTheColourOfItsTransparentIndex) {
    HandGif gif;
    gif.width = gif.height = 2;
    gif.globalTable = {kRed, kGreen, kBlue, kWhite};
    HandFrame local = WithControl(SolidFrame(0, 0, 2, 2, 0), 1, 0, 1);
    local.localTable = {kBlue, 0x123456};
    gif.frames = {WithControl(SolidFrame(0, 0, 2, 2, 0), 1, 0, 3), // white, as overlays use
                  WithControl(SolidFrame(0, 0, 2, 2, 0), 1),       // no transparent index
                  WithControl(SolidFrame(0, 0, 2, 2, 0), 1, 0, 9), // past the table
                  local, SolidFrame(0, 0, 2, 2, 0)};               // no control extension
    GifDecoder decoder;
    const auto animation = decoder.decode(BuildGif(gif));
    ASSERT_TRUE(animation) << decoder.errorString().toStdString();
    ASSERT_EQ(animation->frames.size(), 5u);
    EXPECT_EQ(animation->frames[0].transparentColour, Opaque(kWhite));
    EXPECT_EQ(animation->frames[1].transparentColour, std::nullopt);
    EXPECT_EQ(animation->frames[2].transparentColour, std::nullopt);
    EXPECT_EQ(animation->frames[3].transparentColour, Opaque(0x123456)) << "the local table";
    EXPECT_EQ(animation->frames[4].transparentColour, std::nullopt);
}

TEST(GifDecoder, ALocalTableWinsAndFramesPastTheEdgeAreCut) {
    HandGif gif;
    gif.width = gif.height = 4;
    gif.globalTable = {kRed, kGreen};
    HandFrame local = SolidFrame(0, 0, 2, 1, 0);
    local.pixels = {0, 1};
    local.localTable = {kBlue, kWhite};
    HandFrame overEdge = SolidFrame(3, 2, 3, 3, 1); // 2 of its 3 columns and 1 row lie outside
    gif.frames = {local, overEdge};
    GifDecoder decoder;
    const auto animation = decoder.decode(BuildGif(gif));
    ASSERT_TRUE(animation) << decoder.errorString().toStdString();
    EXPECT_EQ(animation->screen, QSize(4, 4));
    const QImage& last = animation->frames[1].image;
    EXPECT_EQ(last.size(), QSize(4, 4));
    EXPECT_EQ(last.pixel(0, 0), Opaque(kBlue));
    EXPECT_EQ(last.pixel(1, 0), Opaque(kWhite));
    EXPECT_EQ(last.pixel(3, 2), Opaque(kGreen)) << "global table again for the second frame";
    EXPECT_EQ(last.pixel(3, 3), Opaque(kGreen));
    EXPECT_EQ(last.pixel(2, 2), kClear);
}

TEST(GifDecoder, InterlacedRowsLandWhereTheyBelong) {
    // Eleven rows, each its own colour, so every pass and the odd last rows show.
    HandGif gif;
    gif.width = 3;
    gif.height = 11;
    for (std::uint32_t i = 0; i < 16; ++i)
        gif.globalTable.push_back(i * 0x0F0F0F);
    HandFrame frame = SolidFrame(0, 0, 3, 11, 0);
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 3; ++x)
            frame.pixels[static_cast<std::size_t>(y * 3 + x)] = static_cast<std::uint8_t>(y + 1);
    gif.frames = {frame};
    const QImage progressive = GifDecoder().decodeFirstFrame(BuildGif(gif));
    gif.frames[0].interlaced = true;
    GifDecoder decoder;
    const QImage interlaced = decoder.decodeFirstFrame(BuildGif(gif));
    ASSERT_FALSE(interlaced.isNull()) << decoder.errorString().toStdString();
    ASSERT_FALSE(progressive.isNull());
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(interlaced.pixel(1, y), Opaque(static_cast<std::uint32_t>(y + 1) * 0x0F0F0F))
            << "row " << y;
    EXPECT_EQ(interlaced, progressive);
}

TEST(GifDecoder, IndicesWithoutAColourDrawNothing) {
    HandGif gif;
    gif.width = 2;
    gif.height = 1;
    gif.globalTable = {kRed, kGreen}; // a table of two; index 3 is past it
    HandFrame frame = SolidFrame(0, 0, 2, 1, 0);
    frame.pixels = {1, 3};
    gif.frames = {frame};
    GifDecoder decoder;
    QImage image = decoder.decodeFirstFrame(BuildGif(gif));
    ASSERT_FALSE(image.isNull()) << decoder.errorString().toStdString();
    EXPECT_EQ(image.pixel(0, 0), Opaque(kGreen));
    EXPECT_EQ(image.pixel(1, 0), kClear);

    gif.globalTable.clear(); // no table at all
    image = decoder.decodeFirstFrame(BuildGif(gif));
    ASSERT_FALSE(image.isNull()) << decoder.errorString().toStdString();
    EXPECT_EQ(image.pixel(0, 0), kClear);
    EXPECT_EQ(image.pixel(1, 0), kClear);
}

TEST(GifDecoder, ReadsDelaysAndTheLoopCount) {
    struct Case {
        int loopCount;
        int expected;
    };
    for (const Case c : {Case{0, 0}, Case{3, 3}, Case{65535, 65535}, Case{-1, -1}}) {
        HandGif gif;
        gif.width = gif.height = 1;
        gif.globalTable = {kRed, kGreen};
        gif.loopCount = c.loopCount;
        gif.frames = {WithControl(SolidFrame(0, 0, 1, 1, 0), 1, 25),
                      WithControl(SolidFrame(0, 0, 1, 1, 1), 1, 7), SolidFrame(0, 0, 1, 1, 0)};
        GifDecoder decoder;
        const auto animation = decoder.decode(BuildGif(gif));
        ASSERT_TRUE(animation) << decoder.errorString().toStdString();
        EXPECT_EQ(animation->loopCount, c.expected);
        ASSERT_EQ(animation->frames.size(), 3u);
        EXPECT_EQ(animation->frames[0].delayCentiseconds, 25);
        EXPECT_EQ(animation->frames[1].delayCentiseconds, 7);
        EXPECT_EQ(animation->frames[2].delayCentiseconds, 0) << "a control block serves one frame";
    }
}

TEST(GifDecoder, AFrameWithoutPixelsStillShowsForItsDelay) {
    HandGif gif;
    gif.width = gif.height = 3;
    gif.globalTable = {kRed, kGreen};
    gif.frames = {SolidFrame(0, 0, 3, 3, 0), WithControl(SolidFrame(1, 1, 0, 2, 1), 1, 40),
                  SolidFrame(2, 2, 1, 1, 1)};
    GifDecoder decoder;
    const auto animation = decoder.decode(BuildGif(gif));
    ASSERT_TRUE(animation) << decoder.errorString().toStdString();
    ASSERT_EQ(animation->frames.size(), 3u);
    EXPECT_EQ(animation->frames[1].delayCentiseconds, 40);
    EXPECT_EQ(animation->frames[1].image, animation->frames[0].image);
    EXPECT_EQ(animation->frames[2].image.pixel(2, 2), Opaque(kGreen)) << "data after it read right";
}

TEST(GifDecoder, AnEmptyScreenTakesTheFirstFramesExtent) {
    HandGif gif;
    gif.width = gif.height = 0;
    gif.globalTable = {kRed, kGreen};
    gif.frames = {SolidFrame(1, 2, 3, 4, 1)};
    GifDecoder decoder;
    const auto animation = decoder.decode(BuildGif(gif));
    ASSERT_TRUE(animation) << decoder.errorString().toStdString();
    EXPECT_EQ(animation->screen, QSize(4, 6));
    EXPECT_EQ(animation->frames[0].image.pixel(3, 5), Opaque(kGreen));
    EXPECT_EQ(animation->frames[0].image.pixel(0, 0), kClear);
}

TEST(GifDecoder, TheFirstFrameAloneIgnoresWhatFollows) {
    HandGif gif;
    gif.width = gif.height = 2;
    gif.globalTable = {kRed, kGreen};
    gif.frames = {SolidFrame(0, 0, 2, 2, 1), SolidFrame(0, 0, 2, 2, 0)};
    QByteArray body = BuildGif(gif);
    body.chop(6); // the second frame's data is cut short
    GifDecoder decoder;
    const QImage first = decoder.decodeFirstFrame(body);
    ASSERT_FALSE(first.isNull()) << decoder.errorString().toStdString();
    EXPECT_EQ(first.size(), QSize(2, 2));
    EXPECT_EQ(first.pixel(1, 1), Opaque(kGreen));
    EXPECT_FALSE(decoder.decode(body));
    EXPECT_EQ(decoder.errorString(), QStringLiteral("The GIF data ends early, in frame 2"));
}

TEST(GifDecoder, RefusesFilesPastTheLimits) {
    struct Case {
        const char* name;
        int width, height;
        HandFrame frame;
        int frames;
        GifDecodeLimits limits;
        const char* error;
    };
    GifDecodeLimits small;
    small.maxSide = 100;
    small.maxFrames = 3;
    small.maxTotalPixels = 1000;
    const Case cases[] = {
        {"screen too wide", 101, 1, SolidFrame(0, 0, 1, 1, 0), 1, small,
         "The GIF's screen of 101×1 pixels is larger than 100×100"},
        {"frame too tall", 10, 10, SolidFrame(0, 0, 1, 101, 0), 1, small,
         "Frame 1 of 1×101 pixels is larger than 100×100"},
        {"too many frames", 1, 1, SolidFrame(0, 0, 1, 1, 0), 4, small,
         "The GIF has more than 3 frames"},
        {"frames past the pixel budget", 20, 20, SolidFrame(0, 0, 1, 1, 0), 3, small,
         "The GIF's frames hold more than 1000 pixels"},
        {"the default side limit", 8193, 1, SolidFrame(0, 0, 1, 1, 0), 1, GifDecodeLimits{},
         "The GIF's screen of 8193×1 pixels is larger than 8192×8192"},
    };
    for (const Case& c : cases) {
        HandGif gif;
        gif.width = c.width;
        gif.height = c.height;
        gif.globalTable = {kRed, kGreen};
        gif.frames.assign(static_cast<std::size_t>(c.frames), c.frame);
        GifDecoder decoder(c.limits);
        EXPECT_FALSE(decoder.decode(BuildGif(gif))) << c.name;
        EXPECT_EQ(decoder.errorString(), QString::fromUtf8(c.error)) << c.name;
    }
}

TEST(GifDecoder, EveryCutOfAFileFailsOrKeepsWholeFrames) {
    HandGif gif;
    gif.width = gif.height = 5;
    gif.globalTable = {kRed, kGreen, kBlue, kWhite};
    gif.loopCount = 0;
    gif.frames = {WithControl(SolidFrame(0, 0, 5, 5, 0), 1, 25),
                  WithControl(SolidFrame(1, 1, 3, 3, 1), 2, 25, 3),
                  WithControl(SolidFrame(2, 0, 1, 5, 2), 3, 25)};
    gif.frames[2].interlaced = true;
    const QByteArray body = BuildGif(gif);
    GifDecoder decoder;
    const auto whole = decoder.decode(body);
    ASSERT_TRUE(whole) << decoder.errorString().toStdString();
    ASSERT_EQ(whole->frames.size(), 3u);

    int accepted = 0;
    for (qsizetype length = 0; length < body.size(); ++length) {
        const auto cut = decoder.decode(body.first(length));
        if (!cut) {
            EXPECT_TRUE(decoder.errorString().startsWith(QStringLiteral("The GIF data ends early")))
                << "cut at " << length << ": " << decoder.errorString().toStdString();
            continue;
        }
        // Only a cut between records after a whole frame may pass, as a file without trailer.
        ++accepted;
        ASSERT_LT(cut->frames.size(), 3u + (length == body.size() - 1)) << length;
        for (std::size_t i = 0; i < cut->frames.size(); ++i)
            EXPECT_EQ(cut->frames[i].image, whole->frames[i].image) << length << " frame " << i;
        const char next = body[length];
        EXPECT_TRUE(next == '!' || next == ',' || next == ';') << "cut at " << length;
    }
    EXPECT_EQ(accepted, 3) << "after each frame: before the next control block, and the trailer";
}

TEST(GifDecoder, CorruptFilesFailWithAReason) {
    HandGif gif;
    gif.width = gif.height = 2;
    gif.globalTable = {kRed, kGreen};
    gif.frames = {SolidFrame(0, 0, 2, 2, 1)};
    const QByteArray good = BuildGif(gif);
    const qsizetype imageStart = good.indexOf(',');

    QByteArray badRecord = good;
    badRecord[badRecord.size() - 1] = '\x99'; // neither trailer nor record
    QByteArray badCodeSize = good;
    badCodeSize[imageStart + 10] = 12; // an LZW code size past 8 bits
    QByteArray badCode = good;
    badCode[imageStart + 12] = '\xFF'; // codes for entries the table does not have

    struct Case {
        const char* name;
        QByteArray body;
        const char* errorStart;
    };
    const Case cases[] = {
        {"an HTML page", QByteArray("<HTML><BODY>Not Found</BODY></HTML>"), "Not a GIF file"},
        {"empty", QByteArray(), "The GIF data ends early"},
        {"a stray record", badRecord, "Corrupt GIF"},
        {"an LZW code size too large", badCodeSize, "Corrupt GIF in frame 1"},
        {"an LZW code past the table", badCode, "Corrupt GIF in frame 1"},
    };
    for (const Case& c : cases) {
        GifDecoder decoder;
        EXPECT_FALSE(decoder.decode(c.body)) << c.name;
        EXPECT_TRUE(decoder.errorString().startsWith(QString::fromUtf8(c.errorStart)))
            << c.name << ": " << decoder.errorString().toStdString();
        EXPECT_TRUE(decoder.decodeFirstFrame(c.body).isNull() || c.body == badRecord) << c.name;
    }
}

} // namespace
} // namespace skelvane
