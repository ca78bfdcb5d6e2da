#pragma once

#include "net/decode/radar_geometry.h"

#include <QByteArrayView>
#include <cstdint>
#include <limits>
#include <vector>

namespace skelvane {

// Warning polygons from a GeoJSON feature collection: the weather service's warnings layer
// (WFS, outputFormat=application/json) or its alerts feed. Only the four kinds the radar
// warnings layer shows are kept.

enum class WarningKind { ExtremeWind, Tornado, SevereThunderstorm, FlashFlood };

struct WarningArea {
    WarningKind kind = WarningKind::Tornado;
    std::int64_t startMs = std::numeric_limits<std::int64_t>::min(); // Unix ms
    std::int64_t endMs = std::numeric_limits<std::int64_t>::max();
    std::vector<std::vector<LonLat>> rings; // outer rings (holes are not drawn)
    bool inForceAt(std::int64_t unixMs) const { return startMs <= unixMs && unixMs < endMs; }
};

struct WarningAreas {
    bool ok = false; // the body is a GeoJSON feature collection (possibly empty)
    std::vector<WarningArea> areas;
};

// The kind of a feature comes from an event name among its properties ("event",
// "prod_type", "type", "name", ...: "Tornado Warning", "Severe Thunderstorm Warning",
// "Flash Flood Warning", "Extreme Wind Warning", any case) or from a phenomenon code
// ("phenom", "phenomenon": TO, SV, FF, EW) whose significance ("sig", "significance"),
// when given, is W. Its time from "onset"/"effective"/"issuance"/... and
// "ends"/"expires"/"expiration"/... as ISO 8601 texts, Unix seconds or milliseconds, or
// YYYYMMDDHHMM; a missing bound leaves that side open. Polygon and MultiPolygon geometries
// give their outer rings; coordinates are longitude, latitude, and a ring written
// latitude first (a first value above 0 with a second below 0, or a second beyond 90) is
// turned round. Features without a kind or a polygon are left out. At most 20000 features
// and a million points are read.
WarningAreas ReadWarningAreas(QByteArrayView json);

} // namespace skelvane
