#pragma once

#include "infowin/calculator.h"

#include <QFrame>
#include <QHash>

class QLabel;
class QPushButton;

namespace skelvane {

// The desk calculator of the Tools page (objectName "Calculator"): a display and the key
// buttons of a CalculatorEngine, usable by mouse and keyboard. Buttons never take the
// focus, so typing keeps going to the calculator after a click.
class CalculatorWidget : public QFrame {
    Q_OBJECT
public:
    explicit CalculatorWidget(QWidget* parent = nullptr);

    QString displayText() const { return engine_.display(); }
    void setDisplayText(const QString& text);
    // Display "0", pending operation dropped.
    void clear();
    // A typed or pasted character; false when it is not a calculator key.
    bool pressCharacter(QChar c);
    void press(CalcKey key);

    const CalculatorEngine& engine() const { return engine_; }
    QPushButton* button(CalcKey key) const { return buttons_.value(key); }

signals:
    void displayChanged(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPushButton* makeButton(CalcKey key, const QString& caption, const QColor& colour);
    void refresh();

    CalculatorEngine engine_;
    QLabel* display_ = nullptr;
    QLabel* memoryLabel_ = nullptr;
    QHash<CalcKey, QPushButton*> buttons_;
};

} // namespace skelvane
