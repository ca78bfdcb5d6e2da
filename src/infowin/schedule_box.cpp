#include "infowin/schedule_box.h"

#include <QEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>

namespace skelvane {

namespace {

const QString kCaption = QStringLiteral("Connect + Update Every                     Min");
const QString kBeforeGap = QStringLiteral("Connect + Update Every ");

} // namespace

ScheduleBox::ScheduleBox(bool& enabled, int& minutes, QWidget* parent)
    : QCheckBox(kCaption, parent), enabled_(enabled), minutes_(minutes) {
    minutesBox_ = new QSpinBox(this);
    // Wider than the valid range, so that a wrong entry reaches the handler and is refused
    // there instead of being clamped into a value nobody typed.
    minutesBox_->setRange(0, 99999);
    minutesBox_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    minutesBox_->setAlignment(Qt::AlignRight);
    // Only finished entries count: typing 2000 must not store 2, 20 and 200 on the way.
    minutesBox_->setKeyboardTracking(false);
    showSettings();
    connect(this, &QCheckBox::toggled, this, [this](bool on) { enabled_ = on; });
    connect(minutesBox_, &QSpinBox::valueChanged, this, &ScheduleBox::minutesChanged);
    placeMinutesBox();
}

int ScheduleBox::minutes() const {
    const int shown = minutesBox_->value();
    return AcceptsMinutes(shown) ? shown : minutes_;
}

void ScheduleBox::showSettings() {
    const QSignalBlocker boxBlocker(this);
    const QSignalBlocker minutesBlocker(minutesBox_);
    setChecked(enabled_);
    minutesBox_->setValue(minutes_);
}

void ScheduleBox::minutesChanged(int value) {
    if (AcceptsMinutes(value)) {
        minutes_ = value;
        return;
    }
    const QSignalBlocker blocker(minutesBox_);
    minutesBox_->setValue(minutes_);
}

void ScheduleBox::placeMinutesBox() {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect label = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    const QFontMetrics metrics(font());
    const int gapStart = label.x() + metrics.horizontalAdvance(kBeforeGap);
    const int gapEnd = label.x() + metrics.horizontalAdvance(kCaption) -
                       metrics.horizontalAdvance(QStringLiteral(" Min"));
    const int height = qMin(minutesBox_->sizeHint().height(), this->height());
    minutesBox_->setGeometry(gapStart, (this->height() - height) / 2, qMax(gapEnd - gapStart, 36),
                             height);
}

QSize ScheduleBox::sizeHint() const {
    // Tall enough that the minutes box is not cut off.
    const QSize hint = QCheckBox::sizeHint();
    return {hint.width(), qMax(hint.height(), minutesBox_->sizeHint().height())};
}

QSize ScheduleBox::minimumSizeHint() const {
    return sizeHint();
}

void ScheduleBox::resizeEvent(QResizeEvent* event) {
    QCheckBox::resizeEvent(event);
    placeMinutesBox();
}

void ScheduleBox::changeEvent(QEvent* event) {
    QCheckBox::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeMinutesBox();
}

} // namespace skelvane
