#include "net/radar_compose.h"

#include "net/gif_decoder.h"
#include "net/radar_animation_gif.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kGreen = qRgb(0, 200, 0);
constexpr QRgb kClear = 0;

// A 4 × 3 layer: a transparent pixel at (0, 0), opaque white at (1, 0) (the layer's
// transparent colour), blue everywhere else, including the bottom-left corner (0, 2).
GifFrame Layer(std::optional<std::uint32_t> transparentColour = kWhite) {
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(kBlue);
    picture.setPixel(0, 0, kClear);
    picture.setPixel(1, 0, kWhite);
    return GifFrame{picture, 0, transparentColour};
}

QImage Green(int width, int height) {
    QImage target(width, height, QImage::Format_RGB32);
    target.fill(kGreen);
    return target;
}

TEST(RadarCompose, EachLayerLeavesOutWhatItsRuleSays) {
    struct Case {
        const char* name;
        RadarLayerKeying keying;
        std::optional<std::uint32_t> transparentColour;
        int targetHeight;
        QRgb atTransparent, atWhite, atCorner, atMiddle;
    };
    const Case cases[] = {
        {"DrawTransparent", RadarLayerKeying::ColourKeyAndCorner, kWhite, 3, kGreen, kGreen, kGreen,
         kBlue},
        {"DrawTransparent onto a taller target keeps the layer's corner",
         RadarLayerKeying::ColourKeyAndCorner, kWhite, 5, kGreen, kGreen, kBlue, kBlue},
        {"DrawTransparent without a transparent colour keys nothing but the corner",
         RadarLayerKeying::ColourKeyAndCorner, std::nullopt, 3, kGreen, kWhite, kGreen, kBlue},
        {"range ring: the colour, not the corner", RadarLayerKeying::ColourKey, kWhite, 3, kGreen,
         kGreen, kBlue, kBlue},
        {"legend: its own transparency only", RadarLayerKeying::OwnTransparency, kWhite, 3, kGreen,
         kWhite, kBlue, kBlue},
    };
    for (const Case& c : cases) {
        const QImage keyed = KeyedRadarLayer(Layer(c.transparentColour), c.keying, c.targetHeight);
        QImage target = Green(4, c.targetHeight);
        {
            QPainter painter(&target);
            painter.drawImage(0, 0, keyed);
        }
        EXPECT_EQ(target.pixel(0, 0), c.atTransparent) << c.name;
        EXPECT_EQ(target.pixel(1, 0), c.atWhite) << c.name;
        EXPECT_EQ(target.pixel(0, 2), c.atCorner) << c.name;
        EXPECT_EQ(target.pixel(2, 1), c.atMiddle) << c.name;
    }
    QImage target = Green(4, 3);
    DrawTransparent(Layer(), target);
    EXPECT_EQ(target.pixel(0, 2), kGreen) << "DrawTransparent itself";
    EXPECT_EQ(target.pixel(3, 2), kBlue);
}

RadarLayers LayersOf(QRgb radar, QRgb warnings, QRgb legend) {
    RadarLayers layers;
    const auto solid = [](QRgb colour, QRect area) {
        QImage picture(8, 6, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                picture.setPixel(x, y, colour);
        return GifFrame{picture, 0, kWhite};
    };
    layers.setGif(RadarLayer::Radar, solid(radar, QRect(0, 0, 4, 6)), 6);
    layers.setGif(RadarLayer::Warnings, solid(warnings, QRect(2, 0, 4, 2)), 6);
    layers.setGif(RadarLayer::Legend, solid(legend, QRect(0, 4, 2, 2)), 6);
    return layers;
}

TEST(RadarCompose, LayersStackInOrderOverBlackAndTheWarningsAreReadWhenAsked) {
    const QRgb tornado = qRgb(255, 0, 0);
    const RadarLayers layers = LayersOf(kBlue, tornado, kWhite);
    RadarComposeOptions options;
    options.size = {8, 6};
    const RadarComposedFrame drawn = ComposeRadarFrame(layers, options);
    EXPECT_EQ(drawn.picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(drawn.picture.pixel(7, 5), qRgb(0, 0, 0)) << "no topo: black";
    EXPECT_EQ(drawn.picture.pixel(1, 1), kBlue);
    EXPECT_EQ(drawn.picture.pixel(3, 1), tornado) << "the warnings over the radar";
    EXPECT_EQ(drawn.picture.pixel(0, 4), kWhite) << "the legend's own white is drawn";
    EXPECT_FALSE(drawn.warnings) << "not scanned unless asked";

    options.drawWarnings = false;
    options.scanWarnings = true;
    const RadarComposedFrame scanned = ComposeRadarFrame(layers, options);
    EXPECT_EQ(scanned.picture.pixel(3, 1), kBlue) << "read, not drawn";
    ASSERT_TRUE(scanned.warnings);
    EXPECT_EQ(*scanned.warnings, (WeatherWarnings{false, true, false, false}));

    RadarLayers topo = layers;
    topo.topo = Green(8, 6);
    EXPECT_EQ(ComposeRadarFrame(topo, options).picture.pixel(7, 5), kGreen);
}

TEST(RadarCompose, ZoomDoublesEachPixelThenTheCirclesAreDrawn) {
    const RadarLayers layers = LayersOf(kBlue, kBlue, kBlue);
    RadarComposeOptions options;
    options.size = {8, 6};
    options.zoom = 2.0;
    const QImage picture = ComposeRadarFrame(layers, options).picture;
    EXPECT_EQ(picture.size(), QSize(16, 12));
    for (const QPoint p : {QPoint(6, 0), QPoint(7, 1), QPoint(6, 1), QPoint(7, 0)})
        EXPECT_EQ(picture.pixel(p), kBlue) << p.x() << "," << p.y();
    EXPECT_EQ(picture.pixel(8, 4), qRgb(0, 0, 0));

    options.size = {40, 40};
    options.zoom = 1.0;
    options.marks = {RadarCircleMark{16, 16, 24, 24, kRadarHomeMarkFill}};
    const QImage marked = ComposeRadarFrame(RadarLayers{}, options).picture;
    EXPECT_EQ(marked.pixel(20, 20), qRgb(0, 255, 255));
    EXPECT_EQ(marked.pixel(16, 20), qRgb(0, 0, 0)) << "the black outline";
    EXPECT_EQ(marked.pixel(30, 30), qRgb(0, 0, 0));
}

TEST(RadarCompose, TheBottomLeftPixelOfTheWarningsLayerIsNeverAWarning) {
    QImage warnings(5, 4, QImage::Format_ARGB32);
    warnings.fill(Qt::transparent);
    warnings.setPixel(0, 3, qRgb(139, 0, 0));
    EXPECT_FALSE(ScanWarningsLayer(warnings, {5, 4}).any());
    warnings.setPixel(1, 3, qRgb(139, 0, 0));
    EXPECT_TRUE(ScanWarningsLayer(warnings, {5, 4}).flashFlood);
    EXPECT_FALSE(ScanWarningsLayer(QImage(), {5, 4}).any());
}

TEST(RadarAnimationGif, FramesBecomeALoopingAnimationOfAQuarterSecondEach) {
    RadarAnimationGif gif;
    EXPECT_TRUE(gif.bytes().isEmpty());
    for (QRgb colour : {kBlue, kGreen, kWhite}) {
        QImage frame(6, 5, QImage::Format_RGB32);
        frame.fill(colour);
        gif.appendFrame(frame);
    }
    EXPECT_EQ(gif.frameCount(), 3);
    const auto decoded = GifDecoder().decode(gif.bytes());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->loopCount, 0);
    ASSERT_EQ(decoded->frames.size(), 3u);
    for (const GifFrame& frame : decoded->frames)
        EXPECT_EQ(frame.delayCentiseconds, 25);
    EXPECT_EQ(decoded->frames[1].image.pixel(2, 2), kGreen);

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_TRUE(gif.write(folder.filePath("loop.gif")));
    EXPECT_FALSE(gif.write(folder.filePath("missing/loop.gif")));
    EXPECT_FALSE(gif.errorString().isEmpty());

    // A mosaic's loop is kept as it came.
    gif.setFile(QByteArray("GIF89a-as-sent"), 6);
    EXPECT_EQ(gif.frameCount(), 6);
    EXPECT_EQ(gif.bytes(), QByteArray("GIF89a-as-sent"));
    gif.clear();
    EXPECT_EQ(gif.frameCount(), 0);
    EXPECT_TRUE(gif.bytes().isEmpty());
}

} // namespace
} // namespace skelvane
