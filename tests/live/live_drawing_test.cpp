// The pictures the live sources draw themselves: warning outlines the program's colour scan
// finds, legends, range rings, cities, and the MPEG-1 movies the satellite player plays.

#include "location/place_list.h"
#include "net/decode/radar_geometry.h"
#include "net/decode/weather_warnings.h"
#include "net/live/mpeg1_writer.h"
#include "net/live/pixel_font.h"
#include "net/live/radar_drawing.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace skelvane {
namespace {

// OKX's short-range grid (the view's geometry).
const RadarGeometry kOkx{0.009511441, 0.009511441, -75.712675, 43.476892};
const QSize kSize(600, 550);

WeatherWarnings Scan(const QImage& layer) {
    // As the page scans it: the layer drawn over black, as 24-bit rows.
    QImage picture(layer.size(), QImage::Format_RGB888);
    picture.fill(Qt::black);
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if (qAlpha(layer.pixel(x, y)) >= 128)
                picture.setPixel(x, y, layer.pixel(x, y));
    const std::span<const std::uint8_t> bytes(picture.constBits(),
                                              static_cast<std::size_t>(picture.sizeInBytes()));
    return GetWarning({bytes, picture.width(), picture.height(),
                       static_cast<std::size_t>(picture.bytesPerLine())});
}

WarningArea Area(WarningKind kind, double west, double south, double east, double north) {
    WarningArea area;
    area.kind = kind;
    area.rings = {{{west, north}, {east, north}, {east, south}, {west, south}, {west, north}}};
    return area;
}

TEST(RadarDrawing, WarningsInForceAreOutlinedInTheirExactColours) {
    const struct {
        const char* name;
        std::vector<WarningArea> areas;
        WeatherWarnings found;
    } rows[] = {
        {"none", {}, {}},
        {"tornado",
         {Area(WarningKind::Tornado, -73.5, 40.6, -73.0, 41.0)},
         {false, true, false, false}},
        {"all four",
         {Area(WarningKind::Tornado, -73.5, 40.6, -73.0, 41.0),
          Area(WarningKind::SevereThunderstorm, -74.5, 41.5, -74.0, 42.0),
          Area(WarningKind::FlashFlood, -72.5, 41.5, -72.0, 42.0),
          Area(WarningKind::ExtremeWind, -75.0, 40.0, -74.5, 40.5)},
         {true, true, true, true}},
        {"outside the picture", {Area(WarningKind::Tornado, -90, 30, -89, 31)}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QImage layer = DrawWarningsLayer(row.areas, 0, kOkx, kSize);
        ASSERT_EQ(layer.size(), kSize);
        EXPECT_EQ(Scan(layer), row.found);
    }
    // Only the warnings in force at the frame's time are drawn.
    WarningArea later = Area(WarningKind::Tornado, -73.5, 40.6, -73.0, 41.0);
    later.startMs = 1000;
    later.endMs = 2000;
    EXPECT_FALSE(Scan(DrawWarningsLayer({later}, 999, kOkx, kSize)).tornado);
    EXPECT_TRUE(Scan(DrawWarningsLayer({later}, 1000, kOkx, kSize)).tornado);
    EXPECT_FALSE(Scan(DrawWarningsLayer({later}, 2000, kOkx, kSize)).tornado);
    // The outline runs through the corners' pixels as LonLatToXY places them.
    const QImage layer =
        DrawWarningsLayer({Area(WarningKind::Tornado, -73.5, 40.6, -73.0, 41.0)}, 0, kOkx, kSize);
    const MapPixel corner = LonLatToXY(-73.5, 41.0, kOkx, 1.0);
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            near = near || layer.pixel(corner.x + dx, corner.y + dy) == qRgb(255, 0, 0);
    EXPECT_TRUE(near) << "corner at " << corner.x << "," << corner.y;
}

TEST(RadarDrawing, LegendsRingsAndCities) {
    const QImage legend = DrawLegendLayer("N0R", "KOKX", 1796139912000, kSize);
    EXPECT_EQ(legend.pixel(10, 549 - 20), LegendScaleFor("N0R").colours.front())
        << "the scale's first cell";
    EXPECT_EQ(qAlpha(legend.pixel(300, 200)), 0) << "transparent above the strip";
    EXPECT_EQ(LegendScaleFor("N0V").units, "KT");
    EXPECT_EQ(LegendScaleFor("NTP").colours.size(), LegendScaleFor("NTP").values.size());

    // Rings around the picture's centre: the 50-mile ring crosses the centre's row about
    // 50 / 69.1 / cos(lat) degrees of longitude east of it.
    const LonLat centre = WHToLonLat(600, 550, kOkx);
    const QImage rings = DrawRangeRingsLayer(centre, kOkx, kSize);
    const double degrees = 50.0 / 69.09 / std::cos(centre.latitude * 3.14159265 / 180);
    const int expected = 300 + static_cast<int>(std::lround(degrees / kOkx.xScale));
    int found = -1;
    for (int x = 301; x < 600 && found < 0; ++x)
        if (qAlpha(rings.pixel(x, 275)) > 0)
            found = x;
    EXPECT_NEAR(found, expected, 2);
    EXPECT_EQ(qAlpha(rings.pixel(300, 275)), 0) << "nothing at the radar itself";

    // Cities: a small list in the US section's layout, the biggest city drawn first.
    std::string text;
    for (std::size_t i = 0; i < 5696; ++i)
        text += "filler; ;Nowhere; ;0-0-0N;0-0-0E; ; ; \n";
    for (int zip = 0; zip < 5; ++zip)
        text += "New York;NY;United States; ;40-42-51N;074-00-21W; ; ;1000" + std::to_string(zip) +
                "\n";
    text += "Hicksville;NY;United States; ;40-46-06N;073-31-30W; ; ;11801\n";
    text += "Far Away;CA;United States; ;34-03-00N;118-15-00W; ; ;90001\n";
    const PlaceList list = PlaceList::FromUtf8Text(text);
    const std::vector<CityMark> cities = CitiesFromPlaceList(list);
    ASSERT_EQ(cities.size(), 3u);
    EXPECT_EQ(cities.front().name, "New York");
    EXPECT_EQ(cities.front().weight, 5);
    const QImage layer = DrawCitiesLayer(cities, kOkx, kSize);
    const MapPixel nyc = LonLatToXY(-74.005833, 40.714167, kOkx, 1.0);
    EXPECT_EQ(layer.pixel(nyc.x, nyc.y), qRgb(255, 255, 255)) << "the city's dot";
    int drawn = 0;
    for (int y = 0; y < 550; ++y)
        for (int x = 0; x < 600; ++x)
            drawn += qAlpha(layer.pixel(x, y)) > 0;
    EXPECT_GT(drawn, 9 + 2 * 30) << "dots and names";
}

TEST(PixelFont, GlyphsAreDrawnWithoutAntiAliasing) {
    QImage image(40, 10, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    DrawPixelText(image, 1, 1, "T1", qRgb(10, 20, 30));
    EXPECT_EQ(PixelTextWidth("T1"), 11);
    EXPECT_EQ(image.pixel(1, 1), qRgb(10, 20, 30)) << "T's bar";
    EXPECT_EQ(image.pixel(3, 7), qRgb(10, 20, 30)) << "T's stem";
    EXPECT_EQ(qAlpha(image.pixel(1, 7)), 0);
    int set = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x) {
            const QRgb pixel = image.pixel(x, y);
            EXPECT_TRUE(qAlpha(pixel) == 0 || pixel == qRgb(10, 20, 30));
            set += qAlpha(pixel) > 0;
        }
    EXPECT_EQ(set, (5 + 6) + (1 + 2 + 4 + 3)) << "T: bar and stem; 1: its four rows";
    DrawPixelText(image, 38, 8, "WWW", qRgb(1, 1, 1)); // off the edge: no crash
    EXPECT_EQ(PixelTextWidth("é"), 5) << "one character of two bytes";
}

// A picture with smooth and sharp parts, 100 x 70 (not a multiple of 16).
QImage TestPicture(int shift) {
    QImage image(100, 70, QImage::Format_RGB32);
    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 100; ++x)
            image.setPixel(x, y, qRgb((x * 2 + shift) % 256, y * 3, 128));
    for (int y = 20; y < 40; ++y)
        for (int x = 30 + shift; x < 60 + shift; ++x)
            image.setPixel(x, y, qRgb(250, 250, 20));
    return image;
}

TEST(Mpeg1Writer, FfmpegReadsBackEveryPictureCloseToTheOriginal) {
    Mpeg1Writer writer;
    ASSERT_TRUE(writer.add(TestPicture(0), 5));
    ASSERT_TRUE(writer.add(TestPicture(20).scaled(200, 140), 3)) << "scaled to the first size";
    EXPECT_FALSE(writer.add(QImage(), 1));
    EXPECT_EQ(writer.pictureCount(), 8);
    const QByteArray movie = writer.finish();
    ASSERT_GT(movie.size(), 100);
    EXPECT_EQ(movie.left(4), QByteArray("\x00\x00\x01\xBA", 4)) << "a system stream's pack";
    EXPECT_EQ(movie.right(4), QByteArray("\x00\x00\x01\xB9", 4)) << "and its end";
    EXPECT_TRUE(Mpeg1Writer().finish().isEmpty());

    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed: the decoding check is skipped";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("movie.mpg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(movie);
    file.close();
    QProcess process;
    process.start(ffmpeg,
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"), path,
                   QStringLiteral("-f"), QStringLiteral("rawvideo"), QStringLiteral("-pix_fmt"),
                   QStringLiteral("rgb24"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QByteArray errors = process.readAllStandardError();
    EXPECT_TRUE(errors.isEmpty()) << errors.toStdString();
    const QByteArray raw = process.readAllStandardOutput();
    const int frameBytes = 100 * 70 * 3;
    ASSERT_EQ(raw.size(), 8 * frameBytes) << "every picture, at the movie's size";
    for (const auto& [frame, shift] :
         {std::pair{0, 0}, std::pair{4, 0}, std::pair{5, 20}, std::pair{7, 20}}) {
        SCOPED_TRACE(frame);
        const QImage original = TestPicture(shift);
        double error = 0;
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 100; ++x) {
                const auto* pixel = reinterpret_cast<const unsigned char*>(raw.constData()) +
                                    frame * frameBytes + (y * 100 + x) * 3;
                const QRgb want = original.pixel(x, y);
                error += std::abs(pixel[0] - qRed(want)) + std::abs(pixel[1] - qGreen(want)) +
                         std::abs(pixel[2] - qBlue(want));
            }
        EXPECT_LT(error / (100 * 70 * 3), 6.0) << "mean difference per channel";
    }
}

} // namespace
} // namespace skelvane
