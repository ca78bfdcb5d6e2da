#pragma once

#include "infowin/conversions.h"

#include <QWidget>

class QGroupBox;
class QMessageBox;
class QPushButton;

namespace skelvane {

class CalculatorWidget;
struct Settings;

// The Tools page (ToolSheet): the desk calculator with one-click unit conversions and
// trigonometry in degrees, and copy and paste of the displayed number. Every value written
// to the display is the 15-digit number text in the page's locale.
class ToolsPage : public QWidget {
    Q_OBJECT
public:
    explicit ToolsPage(Settings& settings, QWidget* parent = nullptr);

    // The window is shown: the stored NumberInCalculator goes into the display.
    void showStoredNumber();
    // The window lost the focus: the display goes into NumberInCalculator when it is a
    // number. Returns whether it was stored.
    bool storeNumber();

    // The handler shared by the conversion, trigonometry and π buttons: a display that is
    // not a number is left alone; a failing function reports its error and leaves the
    // display too. The calculator gets the focus in every case.
    void ConversionButtonClick(ToolFunction function);
    // "Copy": the display text to the clipboard as text.
    void CopyButClick();
    // "Paste": the clipboard text, reduced to calculator keys, typed into a cleared
    // calculator. Nothing happens when the clipboard holds no text.
    void PasteButClick();

    CalculatorWidget* calculator() const { return calculator_; }
    QPushButton* functionButton(ToolFunction function) const;
    // The last error reported ("Invalid floating point operation"); empty when none.
    QString lastError() const { return lastError_; }

private:
    QGroupBox* buildCalculatorGroup();
    void reportError(const QString& message);
    QChar decimalSeparator() const;

    Settings& settings_;
    CalculatorWidget* calculator_ = nullptr;
    QMessageBox* errorBox_ = nullptr;
    QString lastError_;
};

} // namespace skelvane
