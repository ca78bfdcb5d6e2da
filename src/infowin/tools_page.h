#pragma once

#include "infowin/conversions.h"
#include "net/decode/lookup_address.h"

#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QMessageBox;
class QPushButton;

namespace skelvane {

class CalculatorWidget;
struct Settings;

// The Tools page (ToolSheet): the desk calculator with one-click unit conversions and
// trigonometry in degrees, and copy and paste of the displayed number. Every value written
// to the display is the 15-digit number text in the page's locale. Below it the dictionary,
// web-search and encyclopedia look-ups, each keeping the terms searched this run.
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

    // The look-up buttons: the drop-down's text, unless empty, goes to the top of its list
    // (once, ASCII case ignored) and its address to the user's browser.
    void DictionaryButClick();
    void ThesaurusButClick();
    void GoogleButClick();
    void GoogleLuckyButClick();
    void WikiButClick();

    QComboBox* DictionaryComboBox = nullptr;
    QComboBox* GoogleComboBox = nullptr;
    QComboBox* WikiComboBox = nullptr;

    CalculatorWidget* calculator() const { return calculator_; }
    QPushButton* functionButton(ToolFunction function) const;
    // The last error reported ("Invalid floating point operation"); empty when none.
    QString lastError() const { return lastError_; }

signals:
    // An address for the user's own browser (GoBrowser).
    void webAddressRequested(const QString& address);

private:
    QGroupBox* buildCalculatorGroup();
    QWidget* buildLookupGroups();
    void lookUp(Lookup lookup, QComboBox* box);
    void reportError(const QString& message);
    QChar decimalSeparator() const;

    Settings& settings_;
    CalculatorWidget* calculator_ = nullptr;
    QMessageBox* errorBox_ = nullptr;
    QString lastError_;
    // This run's terms of the three drop-downs, newest first.
    std::array<std::vector<std::string>, 3> terms_;
};

} // namespace skelvane
