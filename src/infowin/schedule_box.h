#pragma once

#include <QCheckBox>

class QSpinBox;

namespace skelvane {

// "Connect + Update Every … Min": a check box with a minutes box laid over the gap in its
// caption. Both are bound to settings: the box's state to `enabled`, the minutes to
// `minutes`, which takes only 1 … 1440; any other value entered is refused and the box
// shows the setting again.
class ScheduleBox : public QCheckBox {
    Q_OBJECT
public:
    static constexpr int kMinMinutes = 1;
    static constexpr int kMaxMinutes = 1440;
    static bool AcceptsMinutes(int minutes) {
        return minutes >= kMinMinutes && minutes <= kMaxMinutes;
    }

    // `enabled` and `minutes` must outlive the box.
    ScheduleBox(bool& enabled, int& minutes, QWidget* parent = nullptr);

    QSpinBox* minutesBox() const { return minutesBox_; }
    // The minutes shown when they are a valid interval, else the setting.
    int minutes() const;
    // Both controls from the settings again.
    void showSettings();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeMinutesBox();
    void minutesChanged(int value);

    bool& enabled_;
    int& minutes_;
    QSpinBox* minutesBox_ = nullptr;
};

} // namespace skelvane
