#include "net/decode/image_signatures.h"
#include "net/gif_decoder.h"
#include "net/gif_encoder.h"
#include "net/jpeg_encoder.h"
#include "support/qstring_printer.h"
#include "test_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string_view>

#include <gif_lib.h>

namespace skelvane {
namespace {

using test::CompareRgb;
using test::PhotoLike;

// The file as giflib's own reader sees it, extension blocks and all.
class SlurpedGif {
public:
    explicit SlurpedGif(const QByteArray& bytes) : bytes_(bytes) {
        int error = 0;
        gif_ = DGifOpen(this, &SlurpedGif::Read, &error);
        if (gif_ && DGifSlurp(gif_) != GIF_OK) {
            DGifCloseFile(gif_, &error);
            gif_ = nullptr;
        }
    }
    ~SlurpedGif() {
        int error = 0;
        if (gif_)
            DGifCloseFile(gif_, &error);
    }
    SlurpedGif(const SlurpedGif&) = delete;
    SlurpedGif& operator=(const SlurpedGif&) = delete;
    GifFileType* operator->() const { return gif_; }
    explicit operator bool() const { return gif_ != nullptr; }

    GraphicsControlBlock control(int frame) const {
        GraphicsControlBlock block{};
        block.DisposalMode = -1;
        DGifSavedExtensionToGCB(gif_, frame, &block);
        return block;
    }
    // The application extensions before `frame`: the identifier, then each sub-block.
    std::vector<QByteArray> applicationBlocks(int frame) const {
        std::vector<QByteArray> blocks;
        const SavedImage& image = gif_->SavedImages[frame];
        bool inApplication = false;
        for (int i = 0; i < image.ExtensionBlockCount; ++i) {
            const ExtensionBlock& block = image.ExtensionBlocks[i];
            if (block.Function == APPLICATION_EXT_FUNC_CODE)
                inApplication = true;
            else if (block.Function != CONTINUE_EXT_FUNC_CODE)
                inApplication = false;
            if (inApplication)
                blocks.emplace_back(reinterpret_cast<const char*>(block.Bytes), block.ByteCount);
        }
        return blocks;
    }

private:
    static int Read(GifFileType* gif, GifByteType* buffer, int length) {
        auto* self = static_cast<SlurpedGif*>(gif->UserData);
        const int count = std::min<int>(length, static_cast<int>(self->bytes_.size() - self->at_));
        std::memcpy(buffer, self->bytes_.constData() + self->at_, static_cast<std::size_t>(count));
        self->at_ += count;
        return count;
    }
    QByteArray bytes_;
    qsizetype at_ = 0;
    GifFileType* gif_ = nullptr;
};

// A picture of `colours` flat bands in colours that depend on `seed`.
QImage Bands(int width, int height, int colours, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int band = (x + y * 3 + seed * 7) % colours;
            image.setPixel(x, y, qRgb((band * 37 + seed * 50) % 256, (band * 91) % 256, band));
        }
    return image;
}

std::vector<GifEncodeFrame> Frames(const std::vector<QImage>& images, int delay) {
    std::vector<GifEncodeFrame> frames;
    for (const QImage& image : images)
        frames.push_back(GifEncodeFrame{image, delay});
    return frames;
}

std::optional<GifAnimation> DecodeBack(const QByteArray& bytes) {
    GifDecoder decoder;
    auto animation = decoder.decode(bytes);
    EXPECT_TRUE(animation) << decoder.errorString().toStdString();
    return animation;
}

TEST(GifEncoder, AStillOfFewColoursComesBackExactly) {
    const QImage original = Bands(60, 40, 200, 1);
    GifEncoder encoder;
    const QByteArray bytes = encoder.encodeStill(original);
    ASSERT_FALSE(bytes.isEmpty()) << encoder.errorString().toStdString();
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    EXPECT_TRUE(CheckGIFSignature(std::string_view(bytes.constData(), bytes.size())));
    const auto animation = DecodeBack(bytes);
    ASSERT_TRUE(animation);
    ASSERT_EQ(animation->frames.size(), 1u);
    EXPECT_EQ(animation->loopCount, -1) << "a still has no looping extension";
    EXPECT_EQ(animation->frames[0].image, original.convertToFormat(QImage::Format_ARGB32));
}

TEST(GifEncoder, AnAnimationComesBackFrameByFrame) {
    const std::vector<QImage> images = {Bands(60, 55, 7, 0), Bands(60, 55, 120, 1),
                                        Bands(60, 55, 40, 2)};
    struct Case {
        const char* name;
        bool sharedPalette;
        std::vector<int> delays;
    };
    const Case cases[] = {{"one palette", true, {25, 25, 25}},
                          {"a palette a frame", false, {25, 50, 7}}};
    for (const Case& c : cases) {
        std::vector<GifEncodeFrame> frames = Frames(images, 0);
        for (std::size_t i = 0; i < frames.size(); ++i)
            frames[i].delayCentiseconds = c.delays[i];
        GifEncoder::Options options;
        options.sharedPalette = c.sharedPalette;
        GifEncoder encoder(options);
        const QByteArray bytes = encoder.encodeAnimation(frames);
        ASSERT_FALSE(bytes.isEmpty()) << encoder.errorString().toStdString();
        const auto animation = DecodeBack(bytes);
        ASSERT_TRUE(animation) << c.name;
        EXPECT_EQ(animation->screen, QSize(60, 55)) << c.name;
        EXPECT_EQ(animation->loopCount, 0) << c.name;
        ASSERT_EQ(animation->frames.size(), 3u) << c.name;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(animation->frames[i].delayCentiseconds, c.delays[i]) << c.name << i;
            EXPECT_EQ(animation->frames[i].image, images[i].convertToFormat(QImage::Format_ARGB32))
                << c.name << " frame " << i;
        }
        SlurpedGif gif(bytes);
        ASSERT_TRUE(gif);
        EXPECT_EQ(gif->SColorMap != nullptr, c.sharedPalette) << c.name;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(gif->SavedImages[i].ImageDesc.ColorMap != nullptr, !c.sharedPalette)
                << c.name << i;
    }
}

TEST(GifEncoder, TheLoopingExtensionSitsOnTheFirstFrame) {
    struct Case {
        int loopCount;
        std::vector<QByteArray> blocks;
    };
    const Case cases[] = {
        {0, {"NETSCAPE2.0", QByteArray("\x01\x00\x00", 3)}},
        {5, {"NETSCAPE2.0", QByteArray("\x01\x05\x00", 3)}},
        {70000, {"NETSCAPE2.0", QByteArray("\x01\xFF\xFF", 3)}},
        {-1, {}},
    };
    const auto frames = Frames({Bands(30, 20, 5, 0), Bands(30, 20, 5, 1), Bands(30, 20, 5, 2)}, 25);
    for (const Case& c : cases) {
        GifEncoder::Options options;
        options.loopCount = c.loopCount;
        const QByteArray bytes = GifEncoder(options).encodeAnimation(frames);
        SlurpedGif gif(bytes);
        ASSERT_TRUE(gif) << c.loopCount;
        ASSERT_EQ(gif->ImageCount, 3);
        EXPECT_EQ(gif.applicationBlocks(0), c.blocks) << c.loopCount;
        EXPECT_EQ(gif->ExtensionBlockCount, 0) << "nothing after the last frame";
        for (int i = 0; i < 3; ++i) {
            if (i > 0) {
                EXPECT_TRUE(gif.applicationBlocks(i).empty()) << "frame " << i;
            }
            const GraphicsControlBlock control = gif.control(i);
            EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT) << "frame " << i;
            EXPECT_EQ(control.DelayTime, 25) << "frame " << i;
            EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR) << "frame " << i;
        }
    }
    EXPECT_EQ(
        SlurpedGif(GifEncoder().encodeStill(frames[0].image))->SavedImages[0].ExtensionBlockCount,
        0)
        << "a still of opaque pixels needs no extension";
}

TEST(GifEncoder, LaterFramesHoldOnlyWhatChanged) {
    const QImage first = Bands(40, 30, 9, 0);
    QImage square = first;
    for (int y = 12; y < 16; ++y)
        for (int x = 10; x < 15; ++x)
            square.setPixel(x, y, qRgb(255, 255, 255));
    QImage corner = square;
    corner.setPixel(39, 29, qRgb(1, 2, 3));
    corner.setPixel(0, 29, qRgb(1, 2, 3));
    const std::vector<QImage> images = {first, square, square, corner};
    struct Case {
        bool sharedPalette;
        QRect areas[4];
    };
    const QRect whole(0, 0, 40, 30);
    const Case cases[] = {
        {true, {whole, QRect(10, 12, 5, 4), QRect(0, 0, 1, 1), QRect(0, 29, 40, 1)}},
        {false, {whole, whole, whole, whole}},
    };
    for (const Case& c : cases) {
        GifEncoder::Options options;
        options.sharedPalette = c.sharedPalette;
        const QByteArray bytes = GifEncoder(options).encodeAnimation(Frames(images, 25));
        SlurpedGif gif(bytes);
        ASSERT_TRUE(gif);
        ASSERT_EQ(gif->ImageCount, 4);
        for (int i = 0; i < 4; ++i) {
            const GifImageDesc& desc = gif->SavedImages[i].ImageDesc;
            EXPECT_EQ(QRect(desc.Left, desc.Top, desc.Width, desc.Height), c.areas[i])
                << "shared " << c.sharedPalette << " frame " << i;
        }
        const auto animation = DecodeBack(bytes);
        ASSERT_TRUE(animation);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(animation->frames[i].image, images[i].convertToFormat(QImage::Format_ARGB32))
                << "shared " << c.sharedPalette << " frame " << i;
    }
}

TEST(GifEncoder, PixelsBelowHalfAlphaBecomeTransparent) {
    QImage image(4, 1, QImage::Format_ARGB32);
    const QRgb pixels[4] = {qRgba(200, 0, 0, 0), qRgba(0, 200, 0, 127), qRgba(0, 0, 200, 128),
                            qRgba(10, 20, 30, 255)};
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, pixels[x]);
    struct Case {
        bool transparency;
        QRgb expected[4];
    };
    const Case cases[] = {
        {true, {0, 0, qRgb(0, 0, 200), qRgb(10, 20, 30)}},
        {false, {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200), qRgb(10, 20, 30)}},
    };
    for (const Case& c : cases) {
        GifEncoder::Options options;
        options.transparency = c.transparency;
        GifEncoder encoder(options);
        for (const QByteArray& bytes :
             {encoder.encodeStill(image), encoder.encodeAnimation(Frames({image, image}, 25))}) {
            const auto animation = DecodeBack(bytes);
            ASSERT_TRUE(animation);
            for (const GifFrame& frame : animation->frames)
                for (int x = 0; x < 4; ++x)
                    EXPECT_EQ(frame.image.pixel(x, 0), c.expected[x])
                        << "transparency " << c.transparency << " pixel " << x;
        }
    }
}

// What a frame with transparency should look like once decoded.
QImage AsShown(const QImage& image) {
    QImage shown = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            shown.setPixel(x, y,
                           qAlpha(shown.pixel(x, y)) < 128 ? 0 : shown.pixel(x, y) | 0xFF000000u);
    return shown;
}

TEST(GifEncoder, AHoleOverAnEarlierColourStaysTransparent) {
    // Left in place, a frame's colour would show through the next frame's hole.
    const QImage opaque = Bands(8, 4, 3, 0).convertToFormat(QImage::Format_ARGB32);
    QImage dotted = opaque;
    dotted.setPixel(6, 3, qRgb(255, 255, 255));
    QImage holed = Bands(8, 4, 3, 1).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            holed.setPixel(x, y, 0);
    QImage filled = holed;
    filled.setPixel(1, 1, qRgb(9, 9, 9));
    struct Case {
        const char* name;
        std::vector<QImage> images;
        std::vector<int> disposals;
    };
    const Case cases[] = {
        {"a hole, then the same hole",
         {opaque, holed, holed},
         {DISPOSE_BACKGROUND, DISPOSE_DO_NOT, DISPOSE_DO_NOT}},
        {"a small change just before the hole",
         {opaque, dotted, holed},
         {DISPOSE_DO_NOT, DISPOSE_BACKGROUND, DISPOSE_DO_NOT}},
        {"a hole filled in, then open again",
         {holed, filled, holed},
         {DISPOSE_DO_NOT, DISPOSE_BACKGROUND, DISPOSE_DO_NOT}},
    };
    GifEncoder::Options options;
    options.transparency = true;
    for (const Case& c : cases) {
        const QByteArray bytes = GifEncoder(options).encodeAnimation(Frames(c.images, 25));
        const auto animation = DecodeBack(bytes);
        ASSERT_TRUE(animation) << c.name;
        SlurpedGif gif(bytes);
        ASSERT_TRUE(gif) << c.name;
        for (std::size_t i = 0; i < c.images.size(); ++i) {
            EXPECT_EQ(animation->frames[i].image, AsShown(c.images[i])) << c.name << " frame " << i;
            EXPECT_EQ(gif.control(static_cast<int>(i)).DisposalMode, c.disposals[i])
                << c.name << " frame " << i;
        }
    }
}

TEST(GifEncoder, APhotographIsReducedToItsOwnColours) {
    const QImage photo = PhotoLike(200, 150);
    const QByteArray bytes = GifEncoder().encodeStill(photo);
    const auto animation = DecodeBack(bytes);
    ASSERT_TRUE(animation);
    const QImage& decoded = animation->frames[0].image;
    const auto error = CompareRgb(photo, decoded);
    EXPECT_LT(error.mean, 4.5) << "a fixed palette of six levels a channel gives about 12";
    EXPECT_LE(error.max, 24);
    std::set<QRgb> colours;
    for (int y = 0; y < decoded.height(); ++y)
        for (int x = 0; x < decoded.width(); ++x)
            colours.insert(decoded.pixel(x, y));
    EXPECT_GT(colours.size(), 240u) << "nearly all of the 256 entries in use";
}

TEST(GifEncoder, EachFramesOwnPaletteFitsFramesOfDifferentColours) {
    // Reds, then blues: one shared palette must split its entries between them.
    QImage reds = PhotoLike(120, 90), blues = PhotoLike(120, 90);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) {
            const QRgb p = reds.pixel(x, y);
            reds.setPixel(x, y, qRgb(qRed(p), qGreen(p) / 4, qBlue(p) / 4));
            blues.setPixel(x, y, qRgb(qRed(p) / 4, qGreen(p) / 4, qBlue(p)));
        }
    double errors[2] = {0, 0};
    for (const bool shared : {true, false}) {
        GifEncoder::Options options;
        options.sharedPalette = shared;
        const auto animation =
            DecodeBack(GifEncoder(options).encodeAnimation(Frames({reds, blues}, 25)));
        ASSERT_TRUE(animation);
        errors[shared] = CompareRgb(reds, animation->frames[0].image).mean +
                         CompareRgb(blues, animation->frames[1].image).mean;
    }
    EXPECT_LT(errors[false], 4.0);
    EXPECT_LT(errors[false], errors[true]) << "one palette for both: " << errors[true];
}

TEST(GifEncoder, RefusesWhatItCannotWrite) {
    struct Case {
        const char* name;
        std::vector<GifEncodeFrame> frames;
        const char* error;
    };
    const Case cases[] = {
        {"no frames", {}, "There is no picture to save"},
        {"a null picture", Frames({QImage()}, 25), "There is no picture to save"},
        {"frames of two sizes", Frames({Bands(4, 4, 2, 0), Bands(4, 5, 2, 0)}, 25),
         "Frame 2 is 4×5 pixels, not 4×4 like the first"},
    };
    for (const Case& c : cases) {
        GifEncoder encoder;
        EXPECT_TRUE(encoder.encodeAnimation(c.frames).isEmpty()) << c.name;
        EXPECT_EQ(encoder.errorString(), QString::fromUtf8(c.error)) << c.name;
    }
}

TEST(ImageFiles, BothWritersSaveTheirBytesOrTheSystemsReason) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QImage picture = PhotoLike(60, 40);
    const auto frames = Frames({picture, picture.mirrored()}, 25);
    const QString missing = folder.filePath(QStringLiteral("no such folder/"));
    const QString notFound = QString::fromLocal8Bit(std::strerror(ENOENT));

    GifEncoder gif;
    EXPECT_TRUE(gif.writeAnimation(frames, folder.filePath(QStringLiteral("loop.gif"))));
    EXPECT_TRUE(gif.writeStill(picture, folder.filePath(QStringLiteral("still.gif"))));
    JpegEncoder jpeg;
    EXPECT_TRUE(jpeg.write(picture, folder.filePath(QStringLiteral("still.jpg"))));
    auto read = [&](const char* name) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    EXPECT_EQ(read("loop.gif"), gif.encodeAnimation(frames));
    EXPECT_EQ(read("still.gif"), gif.encodeStill(picture));
    EXPECT_EQ(read("still.jpg"), jpeg.encode(picture));

    EXPECT_FALSE(gif.writeAnimation(frames, missing + QStringLiteral("loop.gif")));
    EXPECT_EQ(gif.errorString(), notFound);
    EXPECT_FALSE(gif.writeStill(picture, missing + QStringLiteral("still.gif")));
    EXPECT_EQ(gif.errorString(), notFound);
    EXPECT_FALSE(jpeg.write(picture, missing + QStringLiteral("still.jpg")));
    EXPECT_EQ(jpeg.errorString(), notFound);
    EXPECT_FALSE(jpeg.write(QImage(), folder.filePath(QStringLiteral("null.jpg"))));
    EXPECT_EQ(jpeg.errorString(), QStringLiteral("There is no picture to save"));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("null.jpg"))));
}

} // namespace
} // namespace skelvane
