#include "net/decode/image_signatures.h"
#include "net/jpeg_decoder.h"
#include "net/jpeg_encoder.h"
#include "support/qstring_printer.h"
#include "test_pictures.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

#include <jpeglib.h>

namespace skelvane {
namespace {

using test::CompareRgb;
using test::PhotoLike;

// A JPEG made with libjpeg directly, for the kinds the encoder never writes.
struct RawJpeg {
    int width = 0, height = 0, components = 3;
    J_COLOR_SPACE given = JCS_RGB;  // what `samples` hold
    J_COLOR_SPACE stored = JCS_RGB; // what the file holds (CMYK and YCCK get Adobe's marker)
    bool progressive = false;
    std::vector<unsigned char> samples; // rows of width × components
};

QByteArray MakeJpeg(const RawJpeg& raw) {
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(raw.width);
    info.image_height = static_cast<JDIMENSION>(raw.height);
    info.input_components = raw.components;
    info.in_color_space = raw.given;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, raw.stored);
    jpeg_set_quality(&info, 95, TRUE);
    if (raw.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(raw.samples.data()) +
                       info.next_scanline * static_cast<unsigned>(raw.width * raw.components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    jpeg_destroy_compress(&info);
    return bytes;
}

QByteArray Encode(const QImage& image, int quality = 100) {
    JpegEncoder encoder(quality);
    const QByteArray bytes = encoder.encode(image);
    EXPECT_FALSE(bytes.isEmpty()) << encoder.errorString().toStdString();
    return bytes;
}

QImage Decode(const QByteArray& bytes, JpegDecodeLimits limits = {}) {
    JpegDecoder decoder(limits);
    const QImage image = decoder.decode(bytes);
    EXPECT_FALSE(image.isNull()) << decoder.errorString().toStdString();
    return image;
}

TEST(JpegCodec, QualityHundredComesBackCloseToTheOriginal) {
    QImage original = PhotoLike(160, 120);
    for (int y = 0; y < original.height(); ++y)
        original.setPixel(80, y, qRgb(230, 20, 20)); // one thin red line: colour at full detail
    const QByteArray bytes = Encode(original);
    EXPECT_TRUE(CheckJPGSignature(std::string_view(bytes.constData(), bytes.size())))
        << "JFIF header";
    const QImage decoded = Decode(bytes);
    ASSERT_EQ(decoded.size(), original.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    const auto error = CompareRgb(original, decoded);
    EXPECT_LT(error.mean, 0.8);
    EXPECT_LE(error.max, 16);
    for (int y = 0; y < original.height(); y += 17) {
        EXPECT_GT(qRed(decoded.pixel(80, y)), 200) << "row " << y;
        EXPECT_LT(qGreen(decoded.pixel(80, y)), 60) << "row " << y;
    }
}

TEST(JpegCodec, LowerQualityLosesMoreInFewerBytes) {
    const QImage original = PhotoLike(160, 120);
    qsizetype previousSize = 0;
    double previousError = 1e9;
    for (const int quality : {10, 50, 75, 90, 100}) {
        const QByteArray bytes = Encode(original, quality);
        const auto error = CompareRgb(original, Decode(bytes));
        EXPECT_GT(bytes.size(), previousSize) << "quality " << quality;
        EXPECT_LT(error.mean, previousError) << "quality " << quality;
        previousSize = bytes.size();
        previousError = error.mean;
    }
    EXPECT_EQ(JpegEncoder(0).quality(), 1);
    EXPECT_EQ(JpegEncoder(101).quality(), 100);
}

TEST(JpegCodec, EncodesPicturesOfEveryFormat) {
    const QImage photo = PhotoLike(64, 48);
    QImage halfClear = photo.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < halfClear.height(); ++y)
        for (int x = 0; x < 32; ++x)
            halfClear.setPixel(x, y, halfClear.pixel(x, y) & 0x00FFFFFFu);
    struct Case {
        const char* name;
        QImage image;
        double maxMeanError;
    };
    const Case cases[] = {
        {"RGB32", photo, 0.8},
        {"ARGB32 with alpha 0 keeps its colour", halfClear, 0.8},
        {"ARGB32 premultiplied", photo.convertToFormat(QImage::Format_ARGB32_Premultiplied), 0.8},
        {"RGB888", photo.convertToFormat(QImage::Format_RGB888), 0.8},
        {"RGB16", photo.convertToFormat(QImage::Format_RGB16), 1.0},
        {"Indexed8", photo.convertToFormat(QImage::Format_Indexed8), 1.5},
        {"Grayscale8", photo.convertToFormat(QImage::Format_Grayscale8), 1.0},
    };
    for (const Case& c : cases) {
        const QImage decoded = Decode(Encode(c.image));
        ASSERT_EQ(decoded.size(), c.image.size()) << c.name;
        QImage expected = c.image.convertToFormat(QImage::Format_ARGB32);
        EXPECT_LT(CompareRgb(expected, decoded).mean, c.maxMeanError) << c.name;
    }
}

TEST(JpegCodec, DecodesGreyCmykAndProgressiveFiles) {
    // Four flat blocks, so the expected colours hold exactly apart from rounding.
    const int width = 32, height = 16;
    auto block = [](int x, int y) { return (x / 16) + 2 * (y / 8); };

    RawJpeg grey{width, height, 1, JCS_GRAYSCALE, JCS_GRAYSCALE, false, {}};
    const unsigned char greys[4] = {0, 90, 170, 255};
    // Adobe's CMYK stores 255 - ink: (255, 128, 0, 200) is no cyan, half magenta, full yellow
    // and some black, which shows as red 200, green 100, blue 0.
    const unsigned char inks[4][4] = {
        {255, 128, 0, 200}, {0, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 0}};
    const QRgb inkColours[4] = {qRgb(200, 100, 0), qRgb(0, 255, 255), qRgb(255, 255, 255),
                                qRgb(0, 0, 0)};
    RawJpeg cmyk{width, height, 4, JCS_CMYK, JCS_CMYK, false, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            grey.samples.push_back(greys[block(x, y)]);
            cmyk.samples.insert(cmyk.samples.end(), inks[block(x, y)], inks[block(x, y)] + 4);
        }
    RawJpeg ycck = cmyk;
    ycck.stored = JCS_YCCK;
    RawJpeg progressive = cmyk;
    progressive.given = progressive.stored = JCS_RGB;
    progressive.components = 3;
    progressive.samples.clear();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb c = inkColours[block(x, y)];
            progressive.samples.insert(progressive.samples.end(),
                                       {static_cast<unsigned char>(qRed(c)),
                                        static_cast<unsigned char>(qGreen(c)),
                                        static_cast<unsigned char>(qBlue(c))});
        }
    progressive.progressive = true;

    struct Case {
        const char* name;
        RawJpeg raw;
        QRgb expected[4];
    };
    const Case cases[] = {
        {"grey", grey, {qRgb(0, 0, 0), qRgb(90, 90, 90), qRgb(170, 170, 170), qRgb(255, 255, 255)}},
        {"Adobe CMYK", cmyk, {inkColours[0], inkColours[1], inkColours[2], inkColours[3]}},
        {"Adobe YCCK", ycck, {inkColours[0], inkColours[1], inkColours[2], inkColours[3]}},
        {"progressive", progressive, {inkColours[0], inkColours[1], inkColours[2], inkColours[3]}},
    };
    for (const Case& c : cases) {
        const QImage decoded = Decode(MakeJpeg(c.raw));
        ASSERT_EQ(decoded.size(), QSize(width, height)) << c.name;
        for (int i = 0; i < 4; ++i) {
            const QRgb got = decoded.pixel(4 + 16 * (i % 2), 4 + 8 * (i / 2));
            const QRgb want = c.expected[i];
            EXPECT_NEAR(qRed(got), qRed(want), 4) << c.name << " block " << i;
            EXPECT_NEAR(qGreen(got), qGreen(want), 4) << c.name << " block " << i;
            EXPECT_NEAR(qBlue(got), qBlue(want), 4) << c.name << " block " << i;
        }
    }
}

TEST(JpegCodec, RefusesFilesPastTheLimits) {
    const QByteArray small = Encode(PhotoLike(120, 40));
    // The frame header holds the height and width; claim 30000 × 30000.
    QByteArray huge = small;
    const qsizetype frame = huge.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    for (const int offset : {5, 7}) {
        huge[frame + offset] = static_cast<char>(30000 >> 8);
        huge[frame + offset + 1] = static_cast<char>(30000 & 0xFF);
    }
    RawJpeg raw{48, 48, 3, JCS_RGB, JCS_RGB, true, std::vector<unsigned char>(48 * 48 * 3, 99)};
    const QByteArray progressive = MakeJpeg(raw);

    JpegDecodeLimits narrow;
    narrow.maxSide = 100;
    JpegDecodeLimits fewPixels;
    fewPixels.maxPixels = 4799;
    JpegDecodeLimits fewScans;
    fewScans.maxScans = 3;
    struct Case {
        const char* name;
        QByteArray body;
        JpegDecodeLimits limits;
        const char* error;
    };
    const Case cases[] = {
        {"a header claiming 900 million pixels",
         huge,
         {},
         "The JPEG's 30000×30000 pixels are more than allowed"},
        {"wider than the side limit", small, narrow,
         "The JPEG's 120×40 pixels are more than allowed"},
        {"more pixels than allowed", small, fewPixels,
         "The JPEG's 120×40 pixels are more than allowed"},
        {"a progressive file with more scans than allowed", progressive, fewScans,
         "The JPEG has more than 3 scans"},
    };
    for (const Case& c : cases) {
        JpegDecoder decoder(c.limits);
        EXPECT_TRUE(decoder.decode(c.body).isNull()) << c.name;
        EXPECT_EQ(decoder.errorString(), QString::fromUtf8(c.error)) << c.name;
    }
    EXPECT_FALSE(JpegDecoder().decode(progressive).isNull()) << "within the default scans";
}

TEST(JpegCodec, EveryCutOfAFileFails) {
    const QByteArray body = Encode(PhotoLike(40, 24));
    ASSERT_FALSE(Decode(body).isNull());
    for (qsizetype length = 0; length < body.size(); ++length) {
        JpegDecoder decoder;
        EXPECT_TRUE(decoder.decode(body.first(length)).isNull()) << "cut at " << length;
        const QString expected = length == 0 ? QStringLiteral("JPEG: Empty input file")
                                             : QStringLiteral("The JPEG data ends early");
        EXPECT_EQ(decoder.errorString(), expected) << "cut at " << length;
    }
}

TEST(JpegCodec, CorruptFilesFailWithAReason) {
    const QByteArray good = Encode(PhotoLike(64, 64));
    const qsizetype scan = good.indexOf("\xFF\xDA");
    ASSERT_GT(scan, 0);
    QByteArray endInside = good; // an end marker halfway through the picture's data
    endInside.insert((scan + good.size()) / 2, "\xFF\xD9");
    QByteArray tablesOnly = good.first(scan);
    tablesOnly.append("\xFF\xD9");
    QByteArray noFrame = good;
    noFrame.remove(noFrame.indexOf("\xFF\xC0"), 19); // the frame header of 3 components

    struct Case {
        const char* name;
        QByteArray body;
        const char* errorStart;
    };
    const Case cases[] = {
        {"an HTML page", QByteArray("<HTML><BODY>Not Found</BODY></HTML>"),
         "JPEG: Not a JPEG file"},
        {"a GIF", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14), "JPEG: Not a JPEG file"},
        {"an end marker inside the data", endInside, "The JPEG data ends early"},
        {"tables without a picture", tablesOnly, "JPEG: "},
        {"no frame header", noFrame, "JPEG: "},
    };
    for (const Case& c : cases) {
        JpegDecoder decoder;
        EXPECT_TRUE(decoder.decode(c.body).isNull()) << c.name;
        EXPECT_TRUE(decoder.errorString().startsWith(QString::fromUtf8(c.errorStart)))
            << c.name << ": " << decoder.errorString().toStdString();
    }
}

TEST(JpegCodec, NothingToEncodeIsAnError) {
    JpegEncoder encoder;
    EXPECT_TRUE(encoder.encode(QImage()).isEmpty());
    EXPECT_EQ(encoder.errorString(), QStringLiteral("There is no picture to save"));
    EXPECT_FALSE(encoder.encode(QImage(2, 2, QImage::Format_RGB32)).isEmpty());
    EXPECT_TRUE(encoder.errorString().isEmpty());
}

} // namespace
} // namespace skelvane
