#include "net/live/warning_areas.h"

#include "net/live/iso_time.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cmath>
#include <optional>

namespace skelvane {

namespace {

constexpr qsizetype kMaxFeatures = 20000;
constexpr std::size_t kMaxPoints = 1000000;

struct KindName {
    WarningKind kind;
    QLatin1StringView event; // the event name
    QLatin1StringView code;  // the phenomenon code
};
constexpr std::array kKinds{
    KindName{WarningKind::ExtremeWind, QLatin1StringView("extreme wind warning"),
             QLatin1StringView("EW")},
    KindName{WarningKind::Tornado, QLatin1StringView("tornado warning"), QLatin1StringView("TO")},
    KindName{WarningKind::SevereThunderstorm, QLatin1StringView("severe thunderstorm warning"),
             QLatin1StringView("SV")},
    KindName{WarningKind::FlashFlood, QLatin1StringView("flash flood warning"),
             QLatin1StringView("FF")},
};

constexpr std::array kEventKeys{"event",    "prod_type", "prodtype", "type",  "warning_type",
                                "wwa_type", "name",      "title",    "label", "headline"};
constexpr std::array kPhenomenonKeys{"phenom", "phenomenon", "phenomena", "phenomenon_code"};
constexpr std::array kSignificanceKeys{"sig", "significance"};
constexpr std::array kStartKeys{"onset", "effective", "issuance",  "issued",    "begins",
                                "begin", "start",     "starttime", "start_time"};
constexpr std::array kEndKeys{"ends",    "expires", "expiration", "expire",
                              "endtime", "end",     "end_time"};

// The property of one of `keys`, whose names are compared without regard to case.
template <std::size_t N>
QJsonValue Property(const QJsonObject& properties, const std::array<const char*, N>& keys) {
    for (const char* key : keys)
        for (auto it = properties.begin(); it != properties.end(); ++it)
            if (it.key().compare(QLatin1StringView(key), Qt::CaseInsensitive) == 0 &&
                !it.value().isNull() && !it.value().isUndefined())
                return it.value();
    return {};
}

std::optional<WarningKind> KindOf(const QJsonObject& properties) {
    for (const char* key : kEventKeys) {
        for (auto it = properties.begin(); it != properties.end(); ++it) {
            if (it.key().compare(QLatin1StringView(key), Qt::CaseInsensitive) != 0 ||
                !it.value().isString())
                continue;
            const QString value = it.value().toString();
            for (const KindName& kind : kKinds)
                if (value.contains(kind.event, Qt::CaseInsensitive))
                    return kind.kind;
        }
    }
    const QJsonValue phenomenon = Property(properties, kPhenomenonKeys);
    if (!phenomenon.isString())
        return std::nullopt;
    const QJsonValue significance = Property(properties, kSignificanceKeys);
    if (significance.isString() &&
        significance.toString().trimmed().compare(u"W", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    for (const KindName& kind : kKinds)
        if (phenomenon.toString().trimmed().compare(kind.code, Qt::CaseInsensitive) == 0)
            return kind.kind;
    return std::nullopt;
}

std::optional<std::int64_t> TimeOf(const QJsonValue& value) {
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (!std::isfinite(number) || number <= 0 || number > 1e15)
            return std::nullopt;
        // Seconds or milliseconds: a count in seconds stays below 1e11 until the year 5138.
        return static_cast<std::int64_t>(number < 1e11 ? number * 1000.0 : number);
    }
    if (!value.isString())
        return std::nullopt;
    const std::string text = value.toString().trimmed().toStdString();
    if (text.size() == 12 && text.find_first_not_of("0123456789") == std::string::npos)
        return ParseIsoInstant(text.substr(0, 4) + "-" + text.substr(4, 2) + "-" +
                               text.substr(6, 2) + "T" + text.substr(8, 2) + ":" +
                               text.substr(10, 2) + "Z");
    return ParseIsoInstant(text);
}

// One ring's points; nothing when a point is not a pair of finite numbers.
std::optional<std::vector<LonLat>> ReadRing(const QJsonArray& ring, std::size_t& budget) {
    if (ring.size() < 3 || static_cast<std::size_t>(ring.size()) > budget)
        return std::nullopt;
    std::vector<LonLat> points;
    points.reserve(static_cast<std::size_t>(ring.size()));
    for (const QJsonValue& point : ring) {
        const QJsonArray pair = point.toArray();
        if (pair.size() < 2 || !pair[0].isDouble() || !pair[1].isDouble())
            return std::nullopt;
        const double a = pair[0].toDouble(), b = pair[1].toDouble();
        if (!std::isfinite(a) || !std::isfinite(b) || std::abs(a) > 360 || std::abs(b) > 360)
            return std::nullopt;
        points.push_back({a, b});
    }
    budget -= points.size();
    const LonLat first = points.front();
    if ((first.longitude > 0 && first.latitude < 0) || std::abs(first.latitude) > 90)
        for (LonLat& point : points)
            std::swap(point.longitude, point.latitude);
    for (const LonLat& point : points)
        if (std::abs(point.latitude) > 90 || std::abs(point.longitude) > 180)
            return std::nullopt;
    return points;
}

void ReadPolygon(const QJsonArray& polygon, std::vector<std::vector<LonLat>>& rings,
                 std::size_t& budget) {
    if (polygon.isEmpty())
        return;
    if (auto ring = ReadRing(polygon.first().toArray(), budget))
        rings.push_back(std::move(*ring));
}

} // namespace

WarningAreas ReadWarningAreas(QByteArrayView json) {
    WarningAreas result;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return result;
    const QJsonObject root = document.object();
    const QJsonValue features = root.value(u"features");
    if (!features.isArray())
        return result;
    result.ok = true;
    std::size_t budget = kMaxPoints;
    qsizetype count = 0;
    for (const QJsonValue& featureValue : features.toArray()) {
        if (++count > kMaxFeatures || budget == 0)
            break;
        const QJsonObject feature = featureValue.toObject();
        const QJsonObject properties = feature.value(u"properties").toObject();
        const std::optional<WarningKind> kind = KindOf(properties);
        if (!kind)
            continue;
        const QJsonObject geometry = feature.value(u"geometry").toObject();
        const QString type = geometry.value(u"type").toString();
        const QJsonArray coordinates = geometry.value(u"coordinates").toArray();
        WarningArea area;
        area.kind = *kind;
        if (type == u"Polygon") {
            ReadPolygon(coordinates, area.rings, budget);
        } else if (type == u"MultiPolygon") {
            for (const QJsonValue& polygon : coordinates)
                ReadPolygon(polygon.toArray(), area.rings, budget);
        }
        if (area.rings.empty())
            continue;
        if (const auto start = TimeOf(Property(properties, kStartKeys)))
            area.startMs = *start;
        if (const auto end = TimeOf(Property(properties, kEndKeys)))
            area.endMs = *end;
        result.areas.push_back(std::move(area));
    }
    return result;
}

} // namespace skelvane
