#pragma once

#include "infowin/page_services.h"

namespace skelvane {

class TForm1;

// The clock window seen through the narrow interface the information window's pages use.
class ClockWindowAdapter final : public ClockWindowLink {
    Q_OBJECT
public:
    explicit ClockWindowAdapter(TForm1& form);

    DateTime calendarDate() const override;
    void selectDate(DateTime date) override;
    const DayDisplay& dayDisplay() const override;
    void updateDisplays() override;
    void displayModesChanged() override;
    void eclipseListChanged() override;
    void setWeekStart(int day) override;
    void tickAtNormalRate() override;
    int trayIconGroup() const override;
    void TrayIconGroupClick(int choice) override;
    void SetTrayIconType(QChar type) override;
    void RedrawTrayTemperature() override;

private:
    TForm1& form_;
};

// What the information window gets from start-up: the clock window behind its interface,
// the clock window's shared menus and actions, and the services both windows use. Lives
// as long as both windows.
class WindowServices {
public:
    WindowServices(TForm1& form, Settings& settings, const Clock& clock);
    PageServices pageServices();

private:
    TForm1& form_;
    Settings& settings_;
    const Clock& clock_;
    ClockWindowAdapter adapter_;
};

} // namespace skelvane
