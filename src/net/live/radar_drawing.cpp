#include "net/live/radar_drawing.h"

#include "location/place_list.h"
#include "location/place_pick.h"
#include "location/place_tables.h"
#include "location/place_text.h"
#include "net/decode/weather_warnings.h"
#include "net/live/iso_time.h"
#include "net/live/pixel_font.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numbers>

namespace skelvane {

namespace {

QImage TransparentPicture(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPointF PixelOf(LonLat point, const RadarGeometry& geometry) {
    return {(point.longitude - geometry.west) / geometry.xScale,
            (geometry.north - point.latitude) / geometry.yScale};
}

bool UsableGeometry(const RadarGeometry& geometry) {
    return geometry.xScale > 0 && geometry.yScale > 0 && std::isfinite(geometry.xScale) &&
           std::isfinite(geometry.yScale);
}

QColor ColourOf(RgbColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// The point `miles` away from `from` along the compass `bearing` on a sphere.
LonLat Destination(LonLat from, double bearingDegrees, double miles) {
    constexpr double kEarthRadiusMiles = 3958.8;
    constexpr double kRad = std::numbers::pi / 180.0;
    const double d = miles / kEarthRadiusMiles;
    const double lat1 = from.latitude * kRad, lon1 = from.longitude * kRad;
    const double theta = bearingDegrees * kRad;
    const double lat2 =
        std::asin(std::sin(lat1) * std::cos(d) + std::cos(lat1) * std::sin(d) * std::cos(theta));
    const double lon2 = lon1 + std::atan2(std::sin(theta) * std::sin(d) * std::cos(lat1),
                                          std::cos(d) - std::sin(lat1) * std::sin(lat2));
    return {lon2 / kRad, lat2 / kRad};
}

} // namespace

QImage DrawWarningsLayer(const std::vector<WarningArea>& areas, std::int64_t unixMs,
                         const RadarGeometry& geometry, QSize size) {
    QImage image = TransparentPicture(size);
    if (!UsableGeometry(geometry))
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    struct Pass {
        WarningKind kind;
        RgbColour colour;
    };
    // Least dangerous first, so the others are drawn over it.
    static constexpr std::array kPasses{
        Pass{WarningKind::FlashFlood, kFlashFloodColour},
        Pass{WarningKind::SevereThunderstorm, kSevereWeatherColour},
        Pass{WarningKind::Tornado, kTornadoColour},
        Pass{WarningKind::ExtremeWind, kExtremeWeatherColour},
    };
    const QRectF frame(QPointF(-50, -50), QSizeF(size.width() + 100, size.height() + 100));
    for (const Pass& pass : kPasses) {
        QPen pen(ColourOf(pass.colour));
        pen.setWidth(2);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        for (const WarningArea& area : areas) {
            if (area.kind != pass.kind || !area.inForceAt(unixMs))
                continue;
            for (const std::vector<LonLat>& ring : area.rings) {
                QPolygonF polygon;
                for (const LonLat& point : ring)
                    polygon << PixelOf(point, geometry);
                if (polygon.boundingRect().intersects(frame))
                    painter.drawPolygon(polygon);
            }
        }
    }
    return image;
}

LegendScale LegendScaleFor(std::string_view product) {
    // The weather service's customary colour scales (reflectivity in 5 dBZ steps, velocity
    // in knots toward the radar green and away red, accumulated rain in inches).
    static const std::vector<QRgb> kReflectivity{
        qRgb(4, 233, 231), qRgb(1, 159, 244),  qRgb(3, 0, 244),    qRgb(2, 253, 2),
        qRgb(1, 197, 1),   qRgb(0, 142, 0),    qRgb(253, 248, 2),  qRgb(229, 188, 0),
        qRgb(253, 149, 0), qRgb(253, 0, 0),    qRgb(212, 0, 0),    qRgb(188, 0, 0),
        qRgb(248, 0, 253), qRgb(152, 84, 198), qRgb(253, 253, 253)};
    static const std::vector<std::string_view> kReflectivityValues{
        "5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60", "65", "70", "75"};
    static const std::vector<QRgb> kVelocity{
        qRgb(2, 252, 2), qRgb(1, 228, 1),     qRgb(1, 197, 1),     qRgb(7, 172, 4), qRgb(6, 143, 3),
        qRgb(4, 114, 2), qRgb(124, 151, 123), qRgb(152, 119, 119), qRgb(137, 0, 0), qRgb(162, 0, 0),
        qRgb(185, 0, 0), qRgb(216, 0, 0),     qRgb(239, 0, 0),     qRgb(254, 0, 0)};
    static const std::vector<std::string_view> kVelocityValues{
        "-64", "-50", "-36", "-26", "-20", "-10", "-1", "0", "10", "20", "26", "36", "50", "64"};
    static const std::vector<QRgb> kRain{
        qRgb(170, 170, 170), qRgb(118, 118, 118), qRgb(0, 255, 255),  qRgb(0, 175, 175),
        qRgb(0, 255, 0),     qRgb(0, 143, 0),     qRgb(255, 0, 255),  qRgb(175, 50, 125),
        qRgb(0, 0, 255),     qRgb(50, 0, 150),    qRgb(255, 255, 0),  qRgb(255, 170, 0),
        qRgb(255, 0, 0),     qRgb(174, 0, 0),     qRgb(255, 255, 255)};
    static const std::vector<std::string_view> kRainValues{
        ".1", ".25", ".5", ".75", "1", "1.25", "1.5", "1.75", "2", "2.5", "3", "4", "6", "8", "10"};
    if (product == "N0V")
        return {"BASE VELOCITY", "KT", kVelocity, kVelocityValues};
    if (product == "N1P")
        return {"ONE HOUR PRECIPITATION", "IN", kRain, kRainValues};
    if (product == "NTP")
        return {"STORM TOTAL PRECIPITATION", "IN", kRain, kRainValues};
    if (product == "NCR")
        return {"COMPOSITE REFLECTIVITY", "DBZ", kReflectivity, kReflectivityValues};
    if (product == "N0Z")
        return {"LONG RANGE REFLECTIVITY", "DBZ", kReflectivity, kReflectivityValues};
    if (product == "N0S")
        return {"STORM RELATIVE MOTION", "KT", kVelocity, kVelocityValues};
    return {"BASE REFLECTIVITY", "DBZ", kReflectivity, kReflectivityValues};
}

QImage DrawLegendLayer(std::string_view product, std::string_view site, std::int64_t unixMs,
                       QSize size) {
    QImage image = TransparentPicture(size);
    constexpr int kStrip = 26;
    if (size.width() < 200 || size.height() < kStrip)
        return image;
    const LegendScale scale = LegendScaleFor(product);
    const int top = size.height() - kStrip;
    const QRgb background = qRgb(32, 32, 32);
    const QRgb text = qRgb(255, 255, 255);
    for (int y = top; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, background);
    constexpr int kCell = 20;
    int x = 4;
    for (std::size_t i = 0; i < scale.colours.size(); ++i, x += kCell) {
        for (int dy = 0; dy < 8; ++dy)
            for (int dx = 0; dx < kCell - 1; ++dx)
                image.setPixel(x + dx, top + 3 + dy, scale.colours[i]);
        if (i % 2 == 0)
            DrawPixelText(image, x, top + 14, scale.values[i], text);
    }
    const std::string title =
        std::string(site) + " " + std::string(scale.name) + " (" + std::string(scale.units) + ")";
    const std::string iso = IsoInstantText(unixMs);
    const std::string when = iso.substr(5, 2) + "/" + iso.substr(8, 2) + "/" + iso.substr(0, 4) +
                             " " + iso.substr(11, 5) + " UTC";
    const int right = size.width() - 4;
    DrawPixelText(image, right - PixelTextWidth(title), top + 3, title, text);
    DrawPixelText(image, right - PixelTextWidth(when), top + 14, when, text);
    return image;
}

QImage DrawRangeRingsLayer(LonLat centre, const RadarGeometry& geometry, QSize size) {
    QImage image = TransparentPicture(size);
    if (!UsableGeometry(geometry))
        return image;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(176, 176, 176), 1));
    for (const double miles : {50.0, 100.0, 150.0}) {
        QPolygonF ring;
        for (int bearing = 0; bearing < 360; bearing += 2)
            ring << PixelOf(Destination(centre, bearing, miles), geometry);
        painter.drawPolygon(ring);
    }
    return image;
}

std::vector<CityMark> CitiesFromPlaceList(const PlaceList& list) {
    struct Tally {
        LonLat position;
        int lines = 0;
        std::string name;
    };
    std::map<std::string, Tally> cities; // by "NAME;ST"
    const std::size_t last = std::min(kUsPlaceLines.last, list.size() == 0 ? 0 : list.size() - 1);
    for (std::size_t i = kUsPlaceLines.first; i <= last && i < list.size(); ++i) {
        const std::string_view line = list.line(i);
        const std::string name(Trim(PlaceField(line, 1)));
        const std::string state(Trim(PlaceField(line, 2)));
        if (name.empty())
            continue;
        Tally& tally = cities[UpperAscii(name) + ";" + UpperAscii(state)];
        if (tally.lines == 0) {
            const std::optional<LatLon> position = GetLatLon(line);
            if (!position)
                continue;
            tally.position = {position->longitude, position->latitude};
            tally.name = name;
        }
        ++tally.lines;
    }
    std::vector<CityMark> marks;
    marks.reserve(cities.size());
    for (auto& [key, tally] : cities)
        if (tally.lines > 0)
            marks.push_back({std::move(tally.name), tally.position, tally.lines});
    std::stable_sort(marks.begin(), marks.end(),
                     [](const CityMark& a, const CityMark& b) { return a.weight > b.weight; });
    return marks;
}

QImage DrawCitiesLayer(const std::vector<CityMark>& cities, const RadarGeometry& geometry,
                       QSize size, int maxCities) {
    QImage image = TransparentPicture(size);
    if (!UsableGeometry(geometry))
        return image;
    const QRgb white = qRgb(255, 255, 255);
    const QRgb shadow = qRgb(1, 1, 1);
    std::vector<QRect> taken;
    int drawn = 0;
    for (const CityMark& city : cities) {
        if (drawn >= maxCities)
            break;
        const QPointF at = PixelOf(city.position, geometry);
        const int x = static_cast<int>(std::lround(at.x()));
        const int y = static_cast<int>(std::lround(at.y()));
        const int width = PixelTextWidth(city.name);
        const QRect label(x + 4, y - 3, width + 1, kPixelFontHeight + 1);
        const QRect mark(x - 1, y - 1, 3, 3);
        const QRect whole = label.united(mark);
        if (!QRect(QPoint(0, 0), size).contains(whole))
            continue;
        const QRect spaced = whole.adjusted(-3, -2, 3, 2);
        if (std::any_of(taken.begin(), taken.end(),
                        [&spaced](const QRect& other) { return other.intersects(spaced); }))
            continue;
        taken.push_back(whole);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                image.setPixel(x + dx, y + dy, white);
        DrawPixelText(image, label.x() + 1, label.y() + 1, city.name, shadow);
        DrawPixelText(image, label.x(), label.y(), city.name, white);
        ++drawn;
    }
    return image;
}

} // namespace skelvane
