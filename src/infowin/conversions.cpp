#include "infowin/conversions.h"

#include <cfloat>
#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

// Exact definitions of the units (International Yard and Pound Agreement of 1959 and the
// US gallon of 231 cubic inches), as listed in NIST Handbook 44, Appendix C:
//   1 pound (avoirdupois)  = 453.59237 g
//   1 ounce (avoirdupois)  = 28.349523125 g (1/16 pound)
//   1 inch                 = 0.0254 m
//   1 mile (international) = 1609.344 m
//   1 US gallon            = 3.785411784 L; 1 US fluid ounce = 1/128 US gallon
constexpr long double kGramsPerPound = 453.59237L;
constexpr long double kGramsPerOunce = 28.349523125L;
constexpr long double kMetresPerInch = 0.0254L;
constexpr long double kMetresPerMile = 1609.344L;
constexpr long double kLitresPerGallon = 3.785411784L;
constexpr long double kFluidOuncesPerGallon = 128.0L;
constexpr long double kPi = 3.1415926535897932385L;

// Conversions run in the widest type; the result must still fit the double it is shown as.
ToolResult Checked(long double value) {
    if (std::isnan(value))
        return {std::nullopt, QString::fromLatin1(kInvalidOperationMessage)};
    if (std::isinf(value) || std::fabs(value) > static_cast<long double>(DBL_MAX))
        return {std::nullopt, QString::fromLatin1(kOverflowMessage)};
    return {static_cast<double>(value), {}};
}

// Trigonometry runs in double: in extended precision 90 × π / 180 lands just above the
// true right angle and TAN 90 would come out as a huge negative number.
ToolResult Trigonometry(ToolFunction function, double x) {
    constexpr double kRadians = std::numbers::pi / 180.0;
    constexpr double kDegrees = 180.0 / std::numbers::pi;
    switch (function) {
    case ToolFunction::Sin:
        return Checked(std::sin(x * kRadians));
    case ToolFunction::Cos:
        return Checked(std::cos(x * kRadians));
    case ToolFunction::Tan:
        return Checked(std::tan(x * kRadians));
    // Outside -1 … 1 the square roots are of negative numbers: not a number.
    case ToolFunction::ASin:
        return Checked(std::atan2(x, std::sqrt(1.0 - x * x)) * kDegrees);
    case ToolFunction::ACos:
        return Checked(std::atan2(std::sqrt((1.0 + x) * (1.0 - x)), x) * kDegrees);
    case ToolFunction::ATan:
        return Checked(std::atan(x) * kDegrees);
    default:
        return {std::nullopt, QString::fromLatin1(kInvalidOperationMessage)};
    }
}

} // namespace

ToolResult ApplyToolFunction(ToolFunction function, double x) {
    const long double v = x;
    switch (function) {
    case ToolFunction::KgToLb:
        return Checked(v * 1000.0L / kGramsPerPound);
    case ToolFunction::LbToKg:
        return Checked(v * kGramsPerPound / 1000.0L);
    // The two temperature conversions are done in double precision.
    case ToolFunction::CToF:
        return Checked(x * 9.0 / 5.0 + 32.0);
    case ToolFunction::FToC:
        return Checked((x - 32.0) * 5.0 / 9.0);
    case ToolFunction::LToGal:
        return Checked(v / kLitresPerGallon);
    case ToolFunction::GalToL:
        return Checked(v * kLitresPerGallon);
    case ToolFunction::MmToIn:
        return Checked(v / kMetresPerInch / 1000.0L);
    case ToolFunction::InToMm:
        return Checked(v * kMetresPerInch * 1000.0L);
    case ToolFunction::KmToMi:
        return Checked(v / kMetresPerMile * 1000.0L);
    case ToolFunction::MiToKm:
        return Checked(v * kMetresPerMile / 1000.0L);
    case ToolFunction::GmToOz:
        return Checked(v / kGramsPerOunce);
    case ToolFunction::OzToGm:
        return Checked(v * kGramsPerOunce);
    case ToolFunction::MlToOz:
        return Checked(v / 1000.0L * kFluidOuncesPerGallon / kLitresPerGallon);
    case ToolFunction::OzToMl:
        return Checked(v * 1000.0L / kFluidOuncesPerGallon * kLitresPerGallon);
    case ToolFunction::Pi:
        return Checked(kPi);
    case ToolFunction::Sin:
    case ToolFunction::Cos:
    case ToolFunction::Tan:
    case ToolFunction::ASin:
    case ToolFunction::ACos:
    case ToolFunction::ATan:
        return Trigonometry(function, x);
    }
    return {std::nullopt, QString::fromLatin1(kInvalidOperationMessage)};
}

QString FormatCalculatorNumber(double value, QChar decimalSeparator) {
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    constexpr int kDigits = 15;
    // Rounded to 15 significant digits, with the exponent after rounding; QString's own
    // number text does not depend on the C library's locale.
    const QString text = QString::number(value, 'e', kDigits - 1);
    const qsizetype e = text.indexOf(u'e');
    const int exponent = text.mid(e + 1).toInt();
    const bool negative = text.startsWith(u'-');
    QString digits = text.left(e).remove(u'-').remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString out = negative ? QStringLiteral("-") : QString();
    if (exponent < -4 || exponent >= kDigits) {
        out += digits.at(0);
        if (digits.size() > 1)
            out += decimalSeparator + digits.mid(1);
        out += u'E' + QString::number(exponent);
        return out;
    }
    if (exponent < 0) {
        out += u'0' + QString(decimalSeparator) + QString(-exponent - 1, u'0') + digits;
        return out;
    }
    const qsizetype whole = exponent + 1;
    if (digits.size() <= whole)
        return out + digits + QString(whole - digits.size(), u'0');
    return out + digits.left(whole) + decimalSeparator + digits.mid(whole);
}

std::optional<double> ParseCalculatorNumber(const QString& text, QChar decimalSeparator) {
    const QString s = text.trimmed();
    qsizetype i = 0;
    const auto digitRun = [&s, &i] {
        const qsizetype start = i;
        while (i < s.size() && s.at(i) >= u'0' && s.at(i) <= u'9')
            ++i;
        return i - start;
    };
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qsizetype mantissaDigits = digitRun();
    if (i < s.size() && s.at(i) == decimalSeparator) {
        ++i;
        mantissaDigits += digitRun();
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s.at(i) == u'E' || s.at(i) == u'e')) {
        ++i;
        if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
            ++i;
        if (digitRun() == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    QString c = s;
    c.replace(decimalSeparator, u'.');
    bool ok = false;
    const double value = c.toDouble(&ok); // always with a point, whatever the C locale
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString FilterPastedText(const QString& text, QChar decimalSeparator) {
    static const QString kKeys = QStringLiteral("%*+-./=");
    QString keys;
    for (const QChar c : text)
        if ((c >= u'0' && c <= u'9') || kKeys.contains(c) || c == decimalSeparator)
            keys += c;
    return keys;
}

} // namespace skelvane
