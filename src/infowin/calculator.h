#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace skelvane {

// The keys of the desk calculator.
enum class CalcKey {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Point,
    Sign,
    Add,
    Subtract,
    Multiply,
    Divide,
    Equals,
    Percent,
    SquareRoot,
    Reciprocal,
    Clear,
    ClearEntry,
    Backspace,
    MemoryClear,
    MemoryRecall,
    MemoryStore,
    MemoryAdd,
};

// A four-function desk calculator without a window: operators act in the order keyed
// (2 + 3 × 4 = 20), "=" finishes the pending operation, "%" takes a percentage of the first
// operand for + and -, and of 1 otherwise. The display is a text so that the page can put
// any number there and read it back; results are written with 15 significant digits.
//
// A result that is not a finite number (division by zero, the square root of a negative
// number, an overflow) shows "Error"; then only a digit, the point, C or CE go on.
class CalculatorEngine {
public:
    static constexpr int kMaxDigits = 15;
    static const QString& ErrorText();

    explicit CalculatorEngine(QChar decimalSeparator = u'.');

    void press(CalcKey key);
    // A typed or pasted character: a digit, "." or the decimal separator, + - * / = or %.
    // Returns whether it was one of them.
    bool pressCharacter(QChar c);

    const QString& display() const { return display_; }
    // Shows a text as it stands (the page writes numbers there); it counts as an operand
    // and the next digit starts a new number.
    void setDisplay(const QString& text);
    // Display "0", the pending operation dropped; the memory stays.
    void clear();

    bool hasMemory() const { return memory_.has_value(); }
    bool hasError() const { return error_; }
    QChar decimalSeparator() const { return separator_; }
    void setDecimalSeparator(QChar separator);

private:
    enum class Op { Add, Subtract, Multiply, Divide };

    std::optional<double> displayValue() const;
    void showResult(double value);
    void showError();
    void typeDigit(int digit);
    void typePoint();
    void typeOperator(Op op);
    void equals();
    void applyFunction(CalcKey key);
    void changeSign();
    void backspace();
    void memoryKey(CalcKey key);

    QChar separator_;
    QString display_ = QStringLiteral("0");
    bool entering_ = false;     // the display is the number being typed
    bool operandReady_ = false; // the display holds a new operand for the pending operator
    bool error_ = false;
    double accumulator_ = 0;
    std::optional<Op> pending_;
    std::optional<double> memory_;
};

} // namespace skelvane
