#include "infowin/location_page_texts.h"

#include "astro/format.h"

#include <cmath>
#include <limits>

namespace skelvane {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr int kPlaceTextMax = 128;

QString FiveDecimals(double value) {
    return QString::number(value, 'f', 5);
}

} // namespace

QString GroupThousands(long long value) {
    QString digits = QString::number(value < 0 ? -static_cast<unsigned long long>(value)
                                               : static_cast<unsigned long long>(value));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

LatLonDisplayTexts LatLonDisplayLines(const QString& placeName, double latitude, double longitude,
                                      int altitudeFeet) {
    LatLonDisplayTexts texts;
    texts.place = placeName;
    if (const qsizetype amp = texts.place.indexOf(QLatin1Char('&')); amp >= 0)
        texts.place.insert(amp, QLatin1Char('&'));

    texts.latitude = QStringLiteral("Latitude:   ") +
                     QString::fromStdString(FormatDms(std::fabs(latitude))) + QStringLiteral("  ") +
                     (latitude >= 0 ? QStringLiteral(" North ") : QStringLiteral(" South ")) +
                     QStringLiteral("  ") + FiveDecimals(std::fabs(latitude)) + QChar(0xB0);
    texts.longitude = QStringLiteral("Longitude:  ") +
                      QString::fromStdString(FormatDms(std::fabs(longitude))) +
                      QStringLiteral("  ") +
                      (longitude > 0 ? QStringLiteral(" East ") : QStringLiteral(" West ")) +
                      QStringLiteral("  ") + FiveDecimals(std::fabs(longitude)) + QChar(0xB0);

    const auto metres = static_cast<long long>(std::nearbyint(altitudeFeet * kMetresPerFoot));
    texts.altitude = QStringLiteral("Altitude: ") + GroupThousands(altitudeFeet) +
                     QStringLiteral(" Feet = ") + GroupThousands(metres) + QLatin1Char(' ') +
                     (altitudeFeet >= 10000 ? QStringLiteral("M") : QStringLiteral("Meters"));
    return texts;
}

std::optional<int> AltitudeFeetFromEdit(const QString& text, bool meters) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    if (!meters)
        return value;
    const double feet = std::nearbyint(value / kMetresPerFoot);
    if (feet < std::numeric_limits<int>::min() || feet > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(feet);
}

QString AltitudeEditFromFeet(int feet, bool meters) {
    if (!meters)
        return QString::number(feet);
    return QString::number(static_cast<long long>(std::nearbyint(feet * kMetresPerFoot)));
}

QString CutPlaceText(const QString& text) {
    qsizetype units = 0;
    for (int characters = 0; units < text.size() && characters < kPlaceTextMax; ++characters)
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    return text.left(units);
}

} // namespace skelvane
