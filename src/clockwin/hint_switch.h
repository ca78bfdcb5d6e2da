#pragma once

#include <QObject>

namespace skelvane {

// Turns fly-over hints on and off for the whole application: while off, tool-tip events
// are swallowed before any widget sees them.
class HintSwitch : public QObject {
    Q_OBJECT
public:
    explicit HintSwitch(QObject* parent = nullptr);
    void setHintsOn(bool on) { hintsOn_ = on; }
    bool hintsOn() const { return hintsOn_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool hintsOn_ = true;
};

} // namespace skelvane
