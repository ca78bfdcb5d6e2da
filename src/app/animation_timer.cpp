#include "app/animation_timer.h"

#include <QTimer>
#include <algorithm>

namespace skelvane {

AnimationTimer::AnimationTimer(QObject* parent) : QObject(parent), Timer2(new QTimer(this)) {
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(kDefaultIntervalMs);
    connect(Timer2, &QTimer::timeout, this, &AnimationTimer::Timer2Timer);
}

void AnimationTimer::setRunning(Animation animation, bool running) {
    running_[static_cast<std::size_t>(animation)] = running;
    const bool any = std::ranges::any_of(running_, [](bool on) { return on; });
    if (any && !stopped_) {
        if (!Timer2->isActive())
            Timer2->start();
    } else {
        Timer2->stop();
    }
}

bool AnimationTimer::isRunning(Animation animation) const {
    return running_[static_cast<std::size_t>(animation)];
}

bool AnimationTimer::isActive() const {
    return Timer2->isActive();
}

int AnimationTimer::interval() const {
    return Timer2->interval();
}

void AnimationTimer::setInterval(int milliseconds) {
    Timer2->setInterval(milliseconds);
}

void AnimationTimer::stopAll() {
    stopped_ = true;
    Timer2->stop();
}

} // namespace skelvane
