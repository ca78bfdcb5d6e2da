#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace skelvane {

// The one-click functions of the Tools page: unit conversions, trigonometry in degrees and
// the constant π.
enum class ToolFunction {
    KgToLb,
    LbToKg,
    CToF,
    FToC,
    LToGal,
    GalToL,
    MmToIn,
    InToMm,
    KmToMi,
    MiToKm,
    GmToOz,
    OzToGm,
    MlToOz,
    OzToMl,
    Sin,
    Cos,
    Tan,
    ASin,
    ACos,
    ATan,
    Pi,
};

// What a failed function reports, in the words of the floating-point unit.
inline constexpr const char* kInvalidOperationMessage = "Invalid floating point operation";
inline constexpr const char* kOverflowMessage = "Floating point overflow";

// A result that fits a double, or the message of why there is none.
struct ToolResult {
    std::optional<double> value;
    QString error;
};

// Applies a function to the displayed value x. Pi ignores x. A result that is not a number
// (ASIN or ACOS outside -1 … 1) is an invalid operation; one beyond the range of a double is
// an overflow, so every value shown can be read back.
ToolResult ApplyToolFunction(ToolFunction function, double x);

// The general decimal form with 15 significant digits: trailing zeros dropped, the given
// decimal separator, and "E" notation (1.63312393531954E16, 1E-5) below 0.0001 or from
// 1E15 up. Non-finite values give an empty text.
QString FormatCalculatorNumber(double value, QChar decimalSeparator);

// Reads a number written with the given decimal separator, an optional sign and an optional
// exponent ("E" or "e"). Blanks around it are allowed; anything else, and values beyond the
// range of a double, are refused.
std::optional<double> ParseCalculatorNumber(const QString& text, QChar decimalSeparator);

// Pasted text reduced to what the calculator takes as keys: digits, % * + - . / = and the
// decimal separator.
QString FilterPastedText(const QString& text, QChar decimalSeparator);

} // namespace skelvane
