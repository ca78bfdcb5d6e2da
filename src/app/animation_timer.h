#pragma once

#include <QObject>
#include <array>

class QTimer;

namespace skelvane {

// The shared animation timer `Timer2` (130 ms until the radar speed control changes it).
// The Moon, radar and satellite animations each say whether they run; the timer runs
// while any of them does, so one animation stopping never stops another. Each tick
// emits `Timer2Timer`, whose receiver performs the steps in the order moon, radar,
// satellite.
class AnimationTimer : public QObject {
    Q_OBJECT
public:
    enum class Animation { Moon, Radar, Satellite };
    static constexpr int kDefaultIntervalMs = 130;

    explicit AnimationTimer(QObject* parent = nullptr);

    void setRunning(Animation animation, bool running);
    bool isRunning(Animation animation) const;
    bool isActive() const;
    int interval() const;
    void setInterval(int milliseconds);
    // Stops the timer for good (at exit); later setRunning calls do nothing.
    void stopAll();

    QTimer* Timer2 = nullptr;

signals:
    void Timer2Timer();

private:
    std::array<bool, 3> running_{};
    bool stopped_ = false;
};

} // namespace skelvane
