#include "radar_scenery.h"

#include "net/decode/weather_warnings.h"

#include <gif_lib.h>

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace skelvane::demo {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct LatLon {
    double latitude, longitude;
};

// Real places (positions from public gazetteers, rounded).
const std::vector<Place> kSitePlaces = {
    {"New York", 40.7128, -74.0060},      {"Philadelphia", 39.9526, -75.1652},
    {"Hartford", 41.7658, -72.6734},      {"New Haven", 41.3083, -72.9279},
    {"Providence", 41.8240, -71.4128},    {"Boston", 42.3601, -71.0589},
    {"Albany", 42.6526, -73.7562},        {"Trenton", 40.2206, -74.7597},
    {"Atlantic City", 39.3643, -74.4229}, {"Montauk", 41.0359, -71.9545},
    {"Allentown", 40.6084, -75.4902},     {"Springfield", 42.1015, -72.5898},
    {"Poughkeepsie", 41.7004, -73.9210},  {"Scranton", 41.4090, -75.6624},
    {"Baltimore", 39.2904, -76.6122},     {"Wilmington", 39.7391, -75.5398},
    {"Dover", 39.1582, -75.5244},         {"Harrisburg", 40.2732, -76.8867},
    {"Washington", 38.9072, -77.0369},    {"Cape May", 38.9351, -74.9060},
    {"Anchorage", 61.2181, -149.9003},    {"Kenai", 60.5544, -151.2583},
    {"Homer", 59.6425, -151.5483},        {"Seward", 60.1042, -149.4422},
    {"Wasilla", 61.5814, -149.4394},      {"Valdez", 61.1308, -146.3483},
    {"Talkeetna", 62.3209, -150.1066},    {"Kodiak", 57.7900, -152.4072},
};

const std::vector<Place> kMosaicPlaces = {
    {"New York", 40.7128, -74.0060},       {"Los Angeles", 34.0522, -118.2437},
    {"Chicago", 41.8781, -87.6298},        {"Houston", 29.7604, -95.3698},
    {"Phoenix", 33.4484, -112.0740},       {"Denver", 39.7392, -104.9903},
    {"Seattle", 47.6062, -122.3321},       {"Miami", 25.7617, -80.1918},
    {"Atlanta", 33.7490, -84.3880},        {"Dallas", 32.7767, -96.7970},
    {"Minneapolis", 44.9778, -93.2650},    {"St Louis", 38.6270, -90.1994},
    {"Kansas City", 39.0997, -94.5786},    {"Salt Lake City", 40.7608, -111.8910},
    {"San Francisco", 37.7749, -122.4194}, {"Boston", 42.3601, -71.0589},
    {"Washington", 38.9072, -77.0369},     {"New Orleans", 29.9511, -90.0715},
    {"Detroit", 42.3314, -83.0458},        {"Billings", 45.7833, -108.5007},
    {"Albuquerque", 35.0844, -106.6504},   {"Las Vegas", 36.1699, -115.1398},
    {"Portland", 45.5152, -122.6784},      {"Nashville", 36.1627, -86.7816},
    {"Oklahoma City", 35.4676, -97.5164},  {"Omaha", 41.2565, -95.9345},
    {"Anchorage", 61.2181, -149.9003},     {"Fairbanks", 64.8378, -147.7164},
    {"Juneau", 58.3019, -134.4197},        {"Nome", 64.5011, -165.4064},
    {"Honolulu", 21.3069, -157.8583},      {"Hilo", 19.7074, -155.0885},
    {"Kahului", 20.8893, -156.4729},       {"Lihue", 21.9811, -159.3711},
};

// Rough courses of rivers, as a few points each.
const std::vector<std::vector<LatLon>> kRivers = {
    {{40.70, -74.02},
     {41.00, -73.93},
     {41.50, -73.97},
     {42.00, -73.93},
     {42.65, -73.75},
     {43.30, -73.60}}, // Hudson
    {{41.27, -72.35}, {41.76, -72.67}, {42.10, -72.59}, {42.70, -72.50}, {43.50, -72.40}},
    {{38.80, -75.10},
     {39.60, -75.50},
     {39.95, -75.14},
     {40.22, -74.76},
     {40.60, -75.20},
     {41.00, -75.10},
     {41.40, -74.70},
     {42.00, -75.30}}, // Delaware
    {{39.55, -76.08},
     {40.00, -76.50},
     {40.27, -76.88},
     {41.00, -76.80},
     {41.40, -75.90},
     {42.00, -75.80}},                                                        // Susquehanna
    {{61.27, -150.50}, {61.80, -150.10}, {62.30, -150.10}, {62.80, -149.70}}, // Susitna
    {{60.55, -151.27}, {60.49, -150.90}, {60.47, -150.20}},                   // Kenai
    {{61.60, -149.20}, {61.75, -148.50}, {61.80, -147.60}},                   // Matanuska
};

// Main roads between places, by place name.
const std::vector<std::vector<const char*>> kHighways = {
    {"Washington", "Baltimore", "Wilmington", "Philadelphia", "Trenton", "New York", "New Haven",
     "Providence", "Boston"},
    {"New York", "Poughkeepsie", "Albany"},
    {"New Haven", "Hartford", "Springfield", "Boston"},
    {"Philadelphia", "Harrisburg"},
    {"New York", "Allentown", "Harrisburg"},
    {"Philadelphia", "Atlantic City"},
    {"Wilmington", "Dover", "Cape May"},
    {"Allentown", "Scranton"},
    {"Homer", "Kenai", "Seward", "Anchorage", "Wasilla", "Talkeetna"},
    {"Anchorage", "Valdez"},
};

struct Storm {
    double latitude, longitude; // at the first frame
    double radius;              // degrees of latitude
    double peak;                // level at the core, 0 ... 12
    double northPerHour, eastPerHour;
};

const std::vector<Storm> kStorms = {
    // Near the demo sites.
    {41.30, -73.40, 0.55, 11.5, 0.05, 0.40},
    {40.25, -73.10, 0.40, 8.5, 0.08, 0.35},
    {39.60, -75.60, 0.50, 10.0, 0.06, 0.38},
    {38.90, -74.20, 0.35, 7.5, 0.02, 0.30},
    {60.90, -150.70, 0.45, 9.0, 0.10, 0.35},
    {60.10, -152.60, 0.55, 7.0, 0.05, 0.40},
    // Across the country.
    {35.50, -97.60, 1.10, 12.0, 0.10, 0.55},
    {32.60, -96.40, 0.90, 10.5, 0.15, 0.50},
    {41.70, -88.20, 1.00, 9.5, 0.05, 0.60},
    {39.00, -94.90, 0.80, 11.0, 0.10, 0.55},
    {33.60, -84.80, 0.90, 9.0, 0.10, 0.45},
    {30.20, -90.50, 0.80, 10.0, 0.12, 0.40},
    {28.10, -81.60, 0.60, 8.0, 0.05, 0.30},
    {45.10, -93.60, 0.90, 8.5, 0.05, 0.55},
    {47.80, -122.30, 1.10, 6.5, 0.00, 0.35},
    {39.90, -105.70, 0.70, 7.0, 0.05, 0.45},
    {45.60, -108.90, 0.80, 7.5, 0.05, 0.50},
    {36.30, -87.30, 0.80, 9.0, 0.10, 0.50},
    {42.60, -83.60, 0.80, 8.0, 0.05, 0.55},
    {20.10, -155.60, 0.45, 8.0, 0.05, 0.25},
    {21.60, -158.20, 0.35, 7.0, 0.05, 0.25},
    {64.60, -147.90, 0.90, 6.5, 0.05, 0.40},
    {58.40, -134.90, 0.70, 7.0, 0.05, 0.35},
};

// The reflectivity colours of levels 1 ... 12 (5 to 60 dBZ); none of them is a warning
// colour or the overlays' transparent white.
const std::array<QRgb, 12> kEchoColours = {
    qRgb(0, 236, 236), qRgb(1, 160, 246), qRgb(0, 0, 246),   qRgb(0, 255, 0),
    qRgb(0, 200, 0),   qRgb(0, 144, 0),   qRgb(255, 255, 0), qRgb(231, 192, 0),
    qRgb(255, 144, 0), qRgb(214, 0, 0),   qRgb(192, 0, 0),   qRgb(255, 0, 255),
};

QPoint Pixel(const RadarGeometry& geometry, double latitude, double longitude) {
    const MapPixel pixel = LonLatToXY(longitude, latitude, geometry, 1.0);
    return {pixel.x, pixel.y};
}

QImage Blank(int width, int height) {
    QImage picture(width, height, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    return picture;
}

QFont PlainFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Echo level of the storms at a place and time: three cells a storm, each a Gaussian.
double EchoLevel(double latitude, double longitude, double hours,
                 const std::vector<const Storm*>& storms) {
    double level = 0;
    const double cosLat = std::cos(latitude * kPi / 180);
    for (const Storm* storm : storms) {
        const double lat0 = storm->latitude + storm->northPerHour * hours;
        const double lon0 = storm->longitude + storm->eastPerHour * hours;
        const double r = storm->radius;
        struct Cell {
            double dLat, dLon, radius, peak;
        };
        const Cell cells[3] = {{0, 0, r, storm->peak},
                               {0.3 * r, 0.7 * r, 0.6 * r, 0.8 * storm->peak},
                               {-0.4 * r, -0.6 * r, 0.5 * r, 0.9 * storm->peak}};
        for (const Cell& cell : cells) {
            const double dy = (latitude - (lat0 + cell.dLat)) / cell.radius;
            const double dx = (longitude - (lon0 + cell.dLon)) * cosLat / (cell.radius * 1.4);
            const double d2 = dx * dx + dy * dy;
            if (d2 < 9)
                level = std::max(level, cell.peak * std::exp(-d2));
        }
    }
    return level;
}

// The storms that may reach a picture within the animation's hours.
std::vector<const Storm*> StormsOver(const RadarGeometry& geometry, int width, int height) {
    const double east = geometry.west + width * geometry.xScale;
    const double south = geometry.north - height * geometry.yScale;
    std::vector<const Storm*> near;
    for (const Storm& storm : kStorms) {
        const double reach = storm.radius * 4 + 2;
        if (storm.longitude + reach > geometry.west && storm.longitude - reach < east &&
            storm.latitude + reach > south && storm.latitude - reach < geometry.north)
            near.push_back(&storm);
    }
    return near;
}

void PaintEchoes(QImage& picture, const RadarGeometry& geometry, double hours) {
    const std::vector<const Storm*> storms =
        StormsOver(geometry, picture.width(), picture.height());
    if (storms.empty())
        return;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const double latitude = geometry.north - y * geometry.yScale;
        for (int x = 0; x < picture.width(); ++x) {
            const double longitude = geometry.west + x * geometry.xScale;
            const int level = static_cast<int>(EchoLevel(latitude, longitude, hours, storms));
            if (level >= 1)
                row[x] = kEchoColours[static_cast<std::size_t>(std::min(level, 12) - 1)];
        }
    }
}

const Place* FindPlace(const char* name) {
    for (const Place& place : kSitePlaces)
        if (std::strcmp(place.name, name) == 0)
            return &place;
    return nullptr;
}

void DrawPlaceMark(QPainter& painter, QPoint at, QRgb fill) {
    painter.fillRect(at.x() - 2, at.y() - 2, 5, 5, Qt::black);
    painter.fillRect(at.x() - 1, at.y() - 1, 3, 3, QColor::fromRgb(fill));
}

// Warning areas: a polygon (offsets in degrees from the radar) in a colour, in force from a
// frame on.
struct WarningArea {
    const char* site;
    RgbColour colour;
    int fromFrame;
    std::vector<LatLon> offsets;
};

const std::vector<WarningArea> kWarningAreas = {
    {"OKX", kSevereWeatherColour, 0, {{0.9, 0.2}, {1.2, 0.9}, {0.6, 1.3}, {0.4, 0.5}}},
    {"OKX", kTornadoColour, 20, {{0.55, 1.6}, {0.75, 1.9}, {0.45, 2.1}}},
    {"OKX", kFlashFloodColour, 25, {{-0.5, 1.0}, {-0.3, 1.6}, {-0.8, 1.7}, {-0.9, 1.1}}},
    {"DIX", kSevereWeatherColour, 10, {{-0.4, -1.2}, {-0.1, -0.8}, {-0.6, -0.5}}},
    {"DIX", kExtremeWeatherColour, 28, {{-1.2, 0.4}, {-0.9, 0.9}, {-1.4, 1.0}}},
};

} // namespace

const std::vector<Place>& SitePlaces() {
    return kSitePlaces;
}

const std::vector<Place>& MosaicPlaces() {
    return kMosaicPlaces;
}

QImage DrawTopo(const RadarGeometry& geometry, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const double lat = geometry.north - y * geometry.yScale;
        for (int x = 0; x < width; ++x) {
            const double lon = geometry.west + x * geometry.xScale;
            // A made-up relief: long ridges and basins, water below zero.
            const double h = std::sin(lon * 1.7 + lat * 0.6) * 0.6 + std::sin(lat * 2.3) * 0.5 +
                             std::sin((lon - lat) * 0.9) * 0.4 - 0.15;
            if (h < 0) {
                const int depth = static_cast<int>(std::min(-h, 1.0) * 40);
                row[x] = qRgb(50 - depth / 2, 80 - depth / 2, 135 - depth);
            } else {
                const double t = std::min(h / 1.4, 1.0);
                row[x] = qRgb(static_cast<int>(70 + 110 * t), static_cast<int>(120 + 40 * t),
                              static_cast<int>(60 + 30 * t));
            }
        }
    }
    return picture;
}

QImage DrawCounties(const RadarGeometry& geometry, int width, int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    painter.setPen(QColor(150, 150, 150));
    const double east = geometry.west + width * geometry.xScale;
    const double south = geometry.north - height * geometry.yScale;
    for (double lon = std::ceil(geometry.west * 2) / 2; lon < east; lon += 0.5) {
        const QPoint a = Pixel(geometry, geometry.north, lon);
        painter.drawLine(a.x(), 0, a.x(), height - 1);
    }
    for (double lat = std::floor(geometry.north * 2) / 2; lat > south; lat -= 0.5) {
        const QPoint a = Pixel(geometry, lat, geometry.west);
        painter.drawLine(0, a.y(), width - 1, a.y());
    }
    return picture;
}

QImage DrawRivers(const RadarGeometry& geometry, int width, int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(40, 90, 230), 2));
    for (const std::vector<LatLon>& river : kRivers) {
        QPolygon line;
        for (const LatLon& point : river)
            line << Pixel(geometry, point.latitude, point.longitude);
        painter.drawPolyline(line);
    }
    return picture;
}

QImage DrawHighways(const RadarGeometry& geometry, int width, int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(200, 60, 40), 1));
    for (const std::vector<const char*>& road : kHighways) {
        QPolygon line;
        for (const char* name : road)
            if (const Place* place = FindPlace(name))
                line << Pixel(geometry, place->latitude, place->longitude);
        painter.drawPolyline(line);
    }
    return picture;
}

QImage DrawCities(const RadarGeometry& geometry, int width, int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    painter.setFont(PlainFont(11));
    painter.setPen(Qt::black);
    for (const Place& place : kSitePlaces) {
        const QPoint at = Pixel(geometry, place.latitude, place.longitude);
        if (at.x() < -50 || at.y() < -20 || at.x() > width + 50 || at.y() > height + 20)
            continue;
        DrawPlaceMark(painter, at, kCityMarkColour);
        painter.drawText(at.x() + 5, at.y() + 4, QString::fromLatin1(place.name));
    }
    return picture;
}

QImage DrawRangeRings(const RadarGeometry& geometry, int width, int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    painter.setPen(QColor(185, 185, 185));
    const LonLat centre = WHToLonLat(width, height, geometry);
    const QPoint at = Pixel(geometry, centre.latitude, centre.longitude);
    const double kmPerDegree = 111.32;
    for (int km = 50; km <= 250; km += 50) {
        const double ry = km / kmPerDegree / geometry.yScale;
        const double rx =
            km / (kmPerDegree * std::cos(centre.latitude * kPi / 180)) / geometry.xScale;
        painter.drawEllipse(QPointF(at), rx, ry);
    }
    return picture;
}

QImage DrawEchoes(const RadarGeometry& geometry, int width, int height, double hours) {
    QImage picture = Blank(width, height);
    PaintEchoes(picture, geometry, hours);
    return picture;
}

QImage DrawWarnings(const std::string& site, int frame, const RadarGeometry& geometry, int width,
                    int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    const LonLat centre = WHToLonLat(width, height, geometry);
    for (const WarningArea& area : kWarningAreas) {
        if (site != area.site || frame < area.fromFrame)
            continue;
        QPolygon polygon;
        for (const LatLon& offset : area.offsets)
            polygon << Pixel(geometry, centre.latitude + offset.latitude,
                             centre.longitude + offset.longitude);
        painter.setBrush(QColor(area.colour.red, area.colour.green, area.colour.blue));
        painter.drawPolygon(polygon);
    }
    return picture;
}

QImage DrawLegend(const std::string& product, int width, int height) {
    QImage picture = Blank(width, height);
    QPainter painter(&picture);
    const int top = height - 300;
    painter.fillRect(0, top, 56, 300, QColor(32, 32, 32));
    painter.setFont(PlainFont(11, true));
    painter.setPen(Qt::white);
    painter.drawText(4, top + 14, QString::fromStdString(product));
    painter.setFont(PlainFont(10));
    painter.drawText(4, top + 28, QStringLiteral("dBZ"));
    for (int level = 12; level >= 1; --level) {
        const int y = top + 36 + (12 - level) * 19;
        painter.fillRect(4, y, 16, 16, QColor::fromRgb(kEchoColours[level - 1]));
        painter.drawText(24, y + 12, QString::number(level * 5));
    }
    return picture;
}

QImage DrawMosaic(int view, double hours) {
    const RadarMapSize size = GetMapSize(view);
    const RadarGeometry geometry = GetScaleLonLat(view, 1);
    QImage picture(size.width, size.height, QImage::Format_ARGB32);
    picture.fill(QColor(26, 34, 52));
    {
        QPainter painter(&picture);
        painter.setPen(QColor(62, 72, 96));
        const double east = geometry.west + size.width * geometry.xScale;
        const double south = geometry.north - size.height * geometry.yScale;
        for (double lon = std::ceil(geometry.west / 5) * 5; lon < east; lon += 5) {
            const int x = Pixel(geometry, geometry.north, lon).x();
            painter.drawLine(x, 0, x, size.height - 1);
        }
        for (double lat = std::floor(geometry.north / 5) * 5; lat > south; lat -= 5) {
            const int y = Pixel(geometry, lat, geometry.west).y();
            painter.drawLine(0, y, size.width - 1, y);
        }
    }
    PaintEchoes(picture, geometry, hours);
    QPainter painter(&picture);
    const bool small = view == kRadarUsaSmallView;
    for (int site = kFirstRadarSiteView; site < kRadarViewCount; ++site) {
        const LonLat centre = RadarViewCentre(site, 1);
        const QPoint at = Pixel(geometry, centre.latitude, centre.longitude);
        painter.fillRect(at.x() - 1, at.y() - 1, 3, 3, QColor(150, 150, 170));
    }
    painter.setFont(PlainFont(view == kRadarUsaLargeView ? 16 : 11));
    painter.setPen(Qt::white);
    for (const Place& place : kMosaicPlaces) {
        const QPoint at = Pixel(geometry, place.latitude, place.longitude);
        DrawPlaceMark(painter, at, qRgb(255, 255, 255));
        if (!small)
            painter.drawText(at.x() + 5, at.y() + 4, QString::fromLatin1(place.name));
    }
    painter.setFont(PlainFont(small ? 10 : (view == kRadarUsaLargeView ? 28 : 14), true));
    const QString title = QString::fromStdString(std::string(RadarViewName(view)));
    painter.drawText(8, small ? 14 : (view == kRadarUsaLargeView ? 40 : 22), title);
    return picture;
}

namespace {

void AppendToArray(QByteArray& bytes, const GifByteType* data, int length) {
    bytes.append(reinterpret_cast<const char*>(data), length);
}

int WriteToArray(GifFileType* gif, const GifByteType* data, int length) {
    AppendToArray(*static_cast<QByteArray*>(gif->UserData), data, length);
    return length;
}

} // namespace

QByteArray IndexedTransparentGif(const QImage& source) {
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, int> indices;
    std::vector<QRgb> colours{kOverlayTransparentColour};
    std::vector<GifPixelType> pixels(static_cast<std::size_t>(picture.width()) *
                                     static_cast<std::size_t>(picture.height()));
    std::size_t at = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x, ++at) {
            if (qAlpha(row[x]) < 128) {
                pixels[at] = 0;
                continue;
            }
            const QRgb colour = row[x] | 0xFF000000u;
            auto found = indices.constFind(colour);
            if (found == indices.cend()) {
                if (colours.size() >= 256)
                    return {};
                found = indices.insert(colour, static_cast<int>(colours.size()));
                colours.push_back(colour);
            }
            pixels[at] = static_cast<GifPixelType>(*found);
        }
    }
    int tableSize = 2;
    while (tableSize < static_cast<int>(colours.size()))
        tableSize *= 2;
    ColorMapObject* map = GifMakeMapObject(tableSize, nullptr);
    for (int i = 0; i < tableSize; ++i) {
        const QRgb colour =
            i < static_cast<int>(colours.size()) ? colours[static_cast<std::size_t>(i)] : 0;
        map->Colors[i] = {static_cast<GifByteType>(qRed(colour)),
                          static_cast<GifByteType>(qGreen(colour)),
                          static_cast<GifByteType>(qBlue(colour))};
    }
    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteToArray, &error);
    bool ok = gif != nullptr;
    if (ok) {
        EGifSetGifVersion(gif, true);
        ok = EGifPutScreenDesc(gif, picture.width(), picture.height(), 8, 0, map) == GIF_OK;
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.TransparentColor = 0;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
        ok = ok && EGifPutImageDesc(gif, 0, 0, picture.width(), picture.height(), false, nullptr) ==
                       GIF_OK;
        for (int y = 0; ok && y < picture.height(); ++y)
            ok = EGifPutLine(gif, pixels.data() + static_cast<std::size_t>(y) * picture.width(),
                             picture.width()) == GIF_OK;
        ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    }
    GifFreeMapObject(map);
    return ok ? bytes : QByteArray();
}

} // namespace skelvane::demo
