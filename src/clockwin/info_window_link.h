#pragma once

namespace skelvane {

class InfoWindowTickTarget;

// What the clock window needs from the information window: its start tasks, the tick's
// refreshes and the state saved at exit.
class InfoWindowLink {
public:
    virtual ~InfoWindowLink() = default;
    // Runs once, on the first tick after the information window exists.
    virtual void DoStartTasks() = 0;
    virtual InfoWindowTickTarget* tickTarget() = 0;
    virtual bool isShowing() const = 0;
    virtual int pageIndex() const = 0;
    virtual int setSheetIndex() const = 0;
    virtual bool weekNumbersChecked() const = 0;
};

} // namespace skelvane
