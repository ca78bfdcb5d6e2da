#include "infowin/calculator.h"

#include "infowin/conversions.h"

#include <cmath>
#include <limits>

namespace skelvane {

namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

int DigitCount(const QString& text) {
    int count = 0;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            ++count;
    return count;
}

} // namespace

const QString& CalculatorEngine::ErrorText() {
    static const QString text = QStringLiteral("Error");
    return text;
}

CalculatorEngine::CalculatorEngine(QChar decimalSeparator) : separator_(decimalSeparator) {}

void CalculatorEngine::setDecimalSeparator(QChar separator) {
    if (separator == separator_)
        return;
    display_.replace(separator_, separator);
    separator_ = separator;
}

void CalculatorEngine::setDisplay(const QString& text) {
    display_ = text;
    entering_ = false;
    operandReady_ = true;
    error_ = false;
}

void CalculatorEngine::clear() {
    display_ = QStringLiteral("0");
    entering_ = false;
    operandReady_ = false;
    error_ = false;
    accumulator_ = 0;
    pending_.reset();
}

std::optional<double> CalculatorEngine::displayValue() const {
    return ParseCalculatorNumber(display_, separator_);
}

void CalculatorEngine::showResult(double value) {
    if (!std::isfinite(value)) {
        showError();
        return;
    }
    display_ = FormatCalculatorNumber(value, separator_);
    entering_ = false;
}

void CalculatorEngine::showError() {
    display_ = ErrorText();
    error_ = true;
    entering_ = false;
    operandReady_ = false;
    pending_.reset();
}

bool CalculatorEngine::pressCharacter(QChar c) {
    if (c >= u'0' && c <= u'9') {
        press(static_cast<CalcKey>(c.unicode() - u'0'));
        return true;
    }
    if (c == u'.' || c == separator_) {
        press(CalcKey::Point);
        return true;
    }
    switch (c.unicode()) {
    case u'+':
        press(CalcKey::Add);
        return true;
    case u'-':
        press(CalcKey::Subtract);
        return true;
    case u'*':
        press(CalcKey::Multiply);
        return true;
    case u'/':
        press(CalcKey::Divide);
        return true;
    case u'=':
        press(CalcKey::Equals);
        return true;
    case u'%':
        press(CalcKey::Percent);
        return true;
    default:
        return false;
    }
}

void CalculatorEngine::press(CalcKey key) {
    switch (key) {
    case CalcKey::Clear:
        clear();
        return;
    case CalcKey::ClearEntry:
        display_ = QStringLiteral("0");
        entering_ = false;
        operandReady_ = !error_;
        error_ = false;
        return;
    case CalcKey::Point:
        typePoint();
        return;
    default:
        break;
    }
    if (key >= CalcKey::Digit0 && key <= CalcKey::Digit9) {
        typeDigit(static_cast<int>(key) - static_cast<int>(CalcKey::Digit0));
        return;
    }
    if (error_)
        return;
    switch (key) {
    case CalcKey::Add:
        typeOperator(Op::Add);
        break;
    case CalcKey::Subtract:
        typeOperator(Op::Subtract);
        break;
    case CalcKey::Multiply:
        typeOperator(Op::Multiply);
        break;
    case CalcKey::Divide:
        typeOperator(Op::Divide);
        break;
    case CalcKey::Equals:
        equals();
        break;
    case CalcKey::Sign:
        changeSign();
        break;
    case CalcKey::Percent:
    case CalcKey::SquareRoot:
    case CalcKey::Reciprocal:
        applyFunction(key);
        break;
    case CalcKey::Backspace:
        backspace();
        break;
    case CalcKey::MemoryClear:
    case CalcKey::MemoryRecall:
    case CalcKey::MemoryStore:
    case CalcKey::MemoryAdd:
        memoryKey(key);
        break;
    default:
        break;
    }
}

void CalculatorEngine::typeDigit(int digit) {
    if (error_)
        clear();
    if (!entering_) {
        display_ = QStringLiteral("0");
        entering_ = true;
    }
    operandReady_ = true;
    const QChar c(u'0' + digit);
    if (display_ == QLatin1String("0")) {
        display_ = c;
    } else if (display_ == QLatin1String("-0")) {
        display_ = QStringLiteral("-") + c;
    } else if (DigitCount(display_) < kMaxDigits) {
        display_ += c;
    }
}

void CalculatorEngine::typePoint() {
    if (error_)
        clear();
    if (!entering_) {
        display_ = QStringLiteral("0");
        entering_ = true;
    }
    operandReady_ = true;
    if (!display_.contains(separator_))
        display_ += separator_;
}

void CalculatorEngine::typeOperator(Op op) {
    const std::optional<double> x = displayValue();
    if (!x)
        return;
    if (pending_ && operandReady_) {
        const Op previous = *pending_;
        pending_.reset();
        double result = 0;
        switch (previous) {
        case Op::Add:
            result = accumulator_ + *x;
            break;
        case Op::Subtract:
            result = accumulator_ - *x;
            break;
        case Op::Multiply:
            result = accumulator_ * *x;
            break;
        case Op::Divide:
            result = *x == 0 ? kNotANumber : accumulator_ / *x;
            break;
        }
        showResult(result);
        if (error_)
            return;
        accumulator_ = result;
    } else if (!pending_) {
        accumulator_ = *x;
    } // else a second operator in a row replaces the first
    pending_ = op;
    entering_ = false;
    operandReady_ = false;
}

void CalculatorEngine::equals() {
    if (!pending_)
        return;
    // "2 + =" uses the first operand again.
    if (!operandReady_) {
        display_ = FormatCalculatorNumber(accumulator_, separator_);
        operandReady_ = true;
    }
    typeOperator(*pending_);
    pending_.reset();
    operandReady_ = false;
}

void CalculatorEngine::applyFunction(CalcKey key) {
    const std::optional<double> x = displayValue();
    if (!x)
        return;
    double result = *x;
    switch (key) {
    case CalcKey::Percent:
        result = pending_ && (*pending_ == Op::Add || *pending_ == Op::Subtract)
                     ? accumulator_ * *x / 100.0
                     : *x / 100.0;
        break;
    case CalcKey::SquareRoot:
        result = *x < 0 ? kNotANumber : std::sqrt(*x);
        break;
    case CalcKey::Reciprocal:
        result = *x == 0 ? kNotANumber : 1.0 / *x;
        break;
    default:
        break;
    }
    showResult(result);
    if (!error_)
        operandReady_ = true;
}

void CalculatorEngine::changeSign() {
    if (entering_) {
        if (display_.startsWith(u'-'))
            display_.remove(0, 1);
        else if (display_ != QLatin1String("0"))
            display_.prepend(u'-');
        return;
    }
    const std::optional<double> x = displayValue();
    if (!x)
        return;
    showResult(-*x);
    operandReady_ = true;
}

void CalculatorEngine::backspace() {
    // Only the number being typed can be edited; a result stays whole.
    if (!entering_)
        return;
    display_.chop(1);
    if (display_.isEmpty() || display_ == QLatin1String("-"))
        display_ = QStringLiteral("0");
}

void CalculatorEngine::memoryKey(CalcKey key) {
    if (key == CalcKey::MemoryClear) {
        memory_.reset();
        return;
    }
    if (key == CalcKey::MemoryRecall) {
        if (memory_) {
            showResult(*memory_);
            operandReady_ = true;
        }
        return;
    }
    const std::optional<double> x = displayValue();
    if (!x)
        return;
    const double stored = key == CalcKey::MemoryAdd ? memory_.value_or(0) + *x : *x;
    if (!std::isfinite(stored)) {
        showError();
        return;
    }
    memory_ = stored;
    entering_ = false; // the next digit starts a new number
}

} // namespace skelvane
