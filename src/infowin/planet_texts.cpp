#include "infowin/planet_texts.h"

#include "astro/format_date.h"
#include "astro/moon.h"
#include "astro/planet_text.h"
#include "astro/planets.h"

#include <cmath>
#include <cstdio>

namespace skelvane {

namespace {

constexpr std::size_t kSun = 0;
constexpr std::size_t kMoon = 1;
constexpr std::size_t kFirstPlanet = 2;

// "0.0" with the sign kept for a value that rounds to zero from below: "-0.0" still tells
// the reader the body is under the horizon.
QString OneDecimal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", value);
    return QString::fromLatin1(buffer);
}

bool Usable(const HorizontalCoords& horizon) {
    return std::isfinite(horizon.azimuth) && std::isfinite(horizon.altitude) &&
           horizon.azimuth >= 0 && horizon.altitude >= -90;
}

bool Usable(double ra, double dec) {
    return std::isfinite(ra) && std::isfinite(dec) && ra >= 0 && dec >= -90 && dec <= 90;
}

} // namespace

QString SkyBodyName(std::size_t body) {
    if (body == kSun)
        return QStringLiteral("Sun");
    if (body == kMoon)
        return QStringLiteral("Moon");
    if (body >= kSkyBodyCount)
        return {};
    const std::string_view name = PlanetName(body - kFirstPlanet);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

SkyPositions ComputeSkyPositions(DateTime utc, const Observer& observer) {
    const AstroTimeRec time = AstroTimeFromDateTime(utc);
    const auto horizon = [&](double parallax, double ra, double dec) {
        return HorizontalPosition(observer.altitudeFeet, parallax, dec, ra, observer.latitude,
                                  observer.longitude, utc);
    };
    SkyPositions positions;
    const RaDecRec sun = SunRaDec(time);
    positions[kSun] = {sun.ra, sun.dec, horizon(0, sun.ra, sun.dec)};
    const MoonPosRec moon = MoonPosition(time);
    positions[kMoon] = {moon.ra, moon.dec, horizon(moon.parallax, moon.ra, moon.dec)};
    const PlanetTable planets = PlanetPositions(JulianDateOf(time));
    for (std::size_t i = 0; i < planets.size(); ++i) {
        const PlanetPosRec& planet = planets[i];
        positions[kFirstPlanet + i] = {planet.ra, planet.dec, horizon(0, planet.ra, planet.dec)};
    }
    return positions;
}

QString SurfaceLine(std::size_t body, const HorizontalCoords& horizon) {
    QString line = SkyBodyName(body).leftJustified(7);
    if (!Usable(horizon))
        return line;
    const QString compass =
        QLatin1Char('(') + QLatin1String(CompassPosition(horizon.azimuth)) + QLatin1Char(')');
    line += OneDecimal(horizon.azimuth).rightJustified(7) + QChar(0x00B0) +
            compass.leftJustified(4) + OneDecimal(horizon.altitude).rightJustified(7) +
            QChar(0x00B0);
    return line;
}

QString AstronomicalLine(std::size_t body, double ra, double dec) {
    QString line = SkyBodyName(body).leftJustified(8);
    if (!Usable(ra, dec))
        return line;
    return line + QString::fromStdString(FormatRaHours(ra)) + QStringLiteral("  ") +
           QString::fromStdString(FormatDecDegrees(dec));
}

QStringList PlanetTableLines(const SkyPositions& positions, bool earthSurface) {
    QStringList lines;
    if (earthSurface) {
        lines << QStringLiteral("         Compass     Angle");
        for (std::size_t body = 0; body < positions.size(); ++body)
            lines << SurfaceLine(body, positions[body].horizon);
    } else {
        lines << QStringLiteral("         RA      Declination")
              << QStringLiteral("         (hours) (degrees)");
        for (std::size_t body = 0; body < positions.size(); ++body)
            lines << AstronomicalLine(body, positions[body].ra, positions[body].dec);
    }
    return lines;
}

std::array<QString, 2> PlanetLabelTexts(bool earthSurface) {
    if (earthSurface)
        return {QStringLiteral("Angle is angle in degrees up from the horizon."),
                QStringLiteral("Negative angle = planet is below the horizon.")};
    return {QStringLiteral("RA = Right Ascension in hours east of equinox."),
            QStringLiteral("Declination in degrees north of earth equator.")};
}

QString SiderealTimeText(double longitude, DateTime utc) {
    const double theta = SiderealDegrees(AstroTimeFromDateTime(utc));
    if (theta < 0 || !std::isfinite(longitude))
        return {};
    const double turns = (longitude + theta) / 360.0;
    const double timeOfDay = turns - std::floor(turns);
    return QLatin1Char(' ') + QString::fromStdString(FormatDate("hh:nn:ss", timeOfDay));
}

} // namespace skelvane
