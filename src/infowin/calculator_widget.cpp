#include "infowin/calculator_widget.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

namespace skelvane {

namespace {

const QColor kNumberColour(0, 0, 255);   // blue
const QColor kOperatorColour(255, 0, 0); // red
const QColor kFunctionColour(0, 0, 128); // navy
const QColor kMemoryColour(255, 0, 0);   // red, grey while disabled
const QColor kEditColour(128, 0, 0);     // maroon

// The name of a key's button: "CalcKey" and the key's own name.
QString KeyButtonName(CalcKey key) {
    static const char* const kNames[] = {
        "Digit0",       "Digit1",      "Digit2",   "Digit3",     "Digit4",    "Digit5",
        "Digit6",       "Digit7",      "Digit8",   "Digit9",     "Point",     "Sign",
        "Add",          "Subtract",    "Multiply", "Divide",     "Equals",    "Percent",
        "SquareRoot",   "Reciprocal",  "Clear",    "ClearEntry", "Backspace", "MemoryClear",
        "MemoryRecall", "MemoryStore", "MemoryAdd"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(CalcKey::MemoryAdd) + 1);
    return QStringLiteral("CalcKey") + QLatin1String(kNames[static_cast<std::size_t>(key)]);
}

QChar DecimalSeparatorOf(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.at(0);
}

QFont FaceFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(15);
    font.setBold(true);
    return font;
}

} // namespace

CalculatorWidget::CalculatorWidget(QWidget* parent)
    : QFrame(parent), engine_(DecimalSeparatorOf(locale())) {
    setObjectName(QStringLiteral("Calculator"));
    setFocusPolicy(Qt::StrongFocus);
    setFont(FaceFont());

    display_ = new QLabel(this);
    display_->setObjectName(QStringLiteral("CalculatorDisplay"));
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display_->setFrameShape(QFrame::Panel);
    display_->setFrameShadow(QFrame::Sunken);
    display_->setAutoFillBackground(true);
    display_->setBackgroundRole(QPalette::Base);
    display_->setForegroundRole(QPalette::Text);
    display_->setMargin(3);
    display_->setTextInteractionFlags(Qt::NoTextInteraction);
    memoryLabel_ = new QLabel(this);
    memoryLabel_->setObjectName(QStringLiteral("CalculatorMemoryLabel"));
    memoryLabel_->setAlignment(Qt::AlignCenter);
    memoryLabel_->setFrameShape(QFrame::Panel);
    memoryLabel_->setFrameShadow(QFrame::Sunken);

    auto* editRow = new QHBoxLayout;
    editRow->addWidget(memoryLabel_, 1);
    editRow->addWidget(makeButton(CalcKey::Backspace, QStringLiteral("Back"), kEditColour), 2);
    editRow->addWidget(makeButton(CalcKey::ClearEntry, QStringLiteral("CE"), kEditColour), 2);
    editRow->addWidget(makeButton(CalcKey::Clear, QStringLiteral("C"), kEditColour), 2);

    struct Cell {
        CalcKey key;
        const char* caption;
        const QColor* colour;
    };
    const Cell cells[4][6] = {
        {{CalcKey::MemoryClear, "MC", &kMemoryColour},
         {CalcKey::Digit7, "7", &kNumberColour},
         {CalcKey::Digit8, "8", &kNumberColour},
         {CalcKey::Digit9, "9", &kNumberColour},
         {CalcKey::Divide, "/", &kOperatorColour},
         {CalcKey::SquareRoot, "sqrt", &kFunctionColour}},
        {{CalcKey::MemoryRecall, "MR", &kMemoryColour},
         {CalcKey::Digit4, "4", &kNumberColour},
         {CalcKey::Digit5, "5", &kNumberColour},
         {CalcKey::Digit6, "6", &kNumberColour},
         {CalcKey::Multiply, "*", &kOperatorColour},
         {CalcKey::Percent, "%", &kFunctionColour}},
        {{CalcKey::MemoryStore, "MS", &kMemoryColour},
         {CalcKey::Digit1, "1", &kNumberColour},
         {CalcKey::Digit2, "2", &kNumberColour},
         {CalcKey::Digit3, "3", &kNumberColour},
         {CalcKey::Subtract, "-", &kOperatorColour},
         {CalcKey::Reciprocal, "1/x", &kFunctionColour}},
        {{CalcKey::MemoryAdd, "M+", &kMemoryColour},
         {CalcKey::Digit0, "0", &kNumberColour},
         {CalcKey::Sign, "+/-", &kNumberColour},
         {CalcKey::Point, ".", &kNumberColour},
         {CalcKey::Add, "+", &kOperatorColour},
         {CalcKey::Equals, "=", &kOperatorColour}},
    };
    auto* keys = new QGridLayout;
    keys->setSpacing(4);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 6; ++column) {
            const Cell& cell = cells[row][column];
            keys->addWidget(makeButton(cell.key, QLatin1String(cell.caption), *cell.colour), row,
                            column);
        }
    // The memory column stands a little apart from the number keys.
    keys->setColumnMinimumWidth(0, 44);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(display_);
    layout->addLayout(editRow);
    layout->addLayout(keys);
    refresh();
}

QPushButton* CalculatorWidget::makeButton(CalcKey key, const QString& caption,
                                          const QColor& colour) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(KeyButtonName(key));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setMinimumSize(40, 28);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Active, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, colour);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, Qt::gray);
    button->setPalette(palette);
    connect(button, &QPushButton::clicked, this, [this, key] {
        setFocus();
        press(key);
    });
    buttons_.insert(key, button);
    return button;
}

void CalculatorWidget::setDisplayText(const QString& text) {
    engine_.setDisplay(text);
    refresh();
}

void CalculatorWidget::clear() {
    engine_.clear();
    refresh();
}

bool CalculatorWidget::pressCharacter(QChar c) {
    const bool taken = engine_.pressCharacter(c);
    if (taken)
        refresh();
    return taken;
}

void CalculatorWidget::press(CalcKey key) {
    engine_.press(key);
    refresh();
}

void CalculatorWidget::refresh() {
    const QString text = engine_.display();
    if (display_->text() != text) {
        display_->setText(text);
        emit displayChanged(text);
    }
    memoryLabel_->setText(engine_.hasMemory() ? QStringLiteral("M") : QString());
    buttons_.value(CalcKey::MemoryClear)->setEnabled(engine_.hasMemory());
    buttons_.value(CalcKey::MemoryRecall)->setEnabled(engine_.hasMemory());
    buttons_.value(CalcKey::Point)->setText(engine_.decimalSeparator());
}

void CalculatorWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(CalcKey::Equals);
        return;
    case Qt::Key_Backspace:
        press(CalcKey::Backspace);
        return;
    case Qt::Key_Escape:
        press(CalcKey::Clear);
        return;
    case Qt::Key_Delete:
        press(CalcKey::ClearEntry);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && pressCharacter(text.at(0)))
        return;
    QFrame::keyPressEvent(event);
}

void CalculatorWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange) {
        engine_.setDecimalSeparator(DecimalSeparatorOf(locale()));
        refresh();
    }
    QFrame::changeEvent(event);
}

} // namespace skelvane
