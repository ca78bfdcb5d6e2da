#include "net/live/map_requests.h"

#include <QUrl>
#include <vector>

namespace skelvane {

namespace {

QString Number(double value) {
    return QString::number(value, 'f', 6); // the C locale's decimal point
}

QString Encoded(std::string_view value) {
    return QString::fromLatin1(
        QUrl::toPercentEncoding(QString::fromStdString(std::string(value)), "", ":"));
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace

MapLayer SplitMapLayer(std::string_view qualified) {
    const std::size_t colon = qualified.find(':');
    if (colon == std::string_view::npos)
        return {std::string(), std::string(qualified)};
    return {std::string(qualified.substr(0, colon)), std::string(qualified.substr(colon + 1))};
}

GeoBox PictureBox(const RadarGeometry& geometry, QSize size) {
    GeoBox box;
    box.west = geometry.west - geometry.xScale / 2;
    box.east = box.west + size.width() * geometry.xScale;
    box.north = geometry.north + geometry.yScale / 2;
    box.south = box.north - size.height() * geometry.yScale;
    return box;
}

QString GetMapUrl(const std::string& base, const std::string& layers, const std::string& style,
                  const GeoBox& box, QSize size, std::string_view format, bool transparent,
                  const std::string& time) {
    QString url = QString::fromStdString(base);
    url += url.contains(u'?') ? u'&' : u'?';
    url += QStringLiteral("service=WMS&version=1.1.1&request=GetMap&layers=") + Encoded(layers) +
           QStringLiteral("&styles=") + Encoded(style) + QStringLiteral("&srs=EPSG:4326&bbox=") +
           Number(box.west) + u',' + Number(box.south) + u',' + Number(box.east) + u',' +
           Number(box.north) + QStringLiteral("&width=") + QString::number(size.width()) +
           QStringLiteral("&height=") + QString::number(size.height()) +
           QStringLiteral("&format=") + Encoded(format) + QStringLiteral("&transparent=") +
           (transparent ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    if (!time.empty())
        url += QStringLiteral("&time=") + Encoded(time);
    return url;
}

QString CapabilitiesUrl(const std::string& base) {
    QString url = QString::fromStdString(base);
    if (url.contains(QStringLiteral("request="), Qt::CaseInsensitive))
        return url;
    url += url.contains(u'?') ? u'&' : u'?';
    return url + QStringLiteral("service=WMS&version=1.1.1&request=GetCapabilities");
}

SatelliteArea ReadSatelliteArea(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    SatelliteArea area;
    if (words.size() < 3)
        return area;
    area.satellite = words[0];
    area.path = words[1];
    area.sector = area.path.substr(area.path.rfind('/') + 1);
    area.stillSize = words[2];
    area.loopSize = words.size() > 3 ? words[3] : words[2];
    return area;
}

SatelliteCodeParts ReadSatelliteCode(std::string_view code) {
    for (std::string_view area : {"ECST", "GULF"})
        if (code.starts_with(area))
            return {std::string(area), std::string(code.substr(4))};
    SatelliteCodeParts parts{std::string(code.substr(0, std::min<std::size_t>(2, code.size()))),
                             std::string(code.substr(std::min<std::size_t>(2, code.size())))};
    if (parts.type != "IR" && parts.type != "VS" && parts.type != "WV")
        parts.type = "colour";
    return parts;
}

std::string SatelliteFolder(const std::string& cdn, const SatelliteArea& area,
                            const std::string& band) {
    return cdn + "/" + area.satellite + "/ABI/" + area.path + "/" + band + "/";
}

std::string SatelliteLoopName(const SatelliteArea& area, const std::string& band) {
    return area.satellite + "-" + Upper(area.sector) + "-" + band + "-" + area.loopSize + ".gif";
}

} // namespace skelvane
