#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"
#include "infowin/world_clocks.h"

#include <QString>
#include <QUrl>
#include <QWidget>
#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace skelvane {

class ScheduleBox;
struct Settings;

// The Time page (TimeSheet): local, Greenwich and sidereal time and the Julian date, seven
// world clocks, and the internet time server box. The check boxes and the minutes box write
// their settings at once; the server text is stored by the window when it loses the focus.
class TimePage : public QWidget {
    Q_OBJECT
public:
    explicit TimePage(Settings& settings, QWidget* parent = nullptr);

    // The long date pattern and names the panels use after the time (by default the
    // page's locale's).
    void setDateFormat(std::string longDate, DateLocale names);

    // Every tick while the window exists: `local` is now, `utc` the same instant in UTC,
    // `zoneName` the time-zone name of now, `timeFormat` the information window's time
    // pattern.
    void refreshTimePage(DateTime local, DateTime utc, const QString& zoneName,
                         const std::string& timeFormat);
    QString localTimePanelText() const;
    QString greenwichTimePanelText() const;
    // The sidereal panel's text, which the Planet page shows too.
    QString siderealTimeText() const;

    // The server box's text as it is to be stored in TimeServer (cut to 128 characters).
    QString timeServerText() const;

    // The result of a time query: the server's time (local) in TimeStampEd and, in
    // AdjustLab, the adjustment (days) in seconds with wording by whether the clock was set.
    void UpdateInternetTimeDisplay(bool clockSet, double offsetDays, DateTime time);
    // The server answered but the clock could not be set: AdjustLab says why.
    void showClockNotSet(const QString& reason);

    // The world-clock page the "World Clock" button opens.
    static QUrl WorldClockAddress();

signals:
    // "Get Time": query the server in timeServerText() (and set the clock when
    // UpdateClock is on), then show the result with UpdateInternetTimeDisplay.
    void synchroniseRequested();
    // "World Clock": open the address in the information window's browser.
    void worldClockRequested(const QUrl& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildTimeNowGroup();
    QGroupBox* buildWorldTimeGroup();
    QGroupBox* buildInternetTimeGroup();
    QLabel* makePanel(QWidget* parent, const QString& name);
    QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& text,
                            bool& setting);

    Settings& settings_;
    std::string longDate_;
    DateLocale names_;

    QLabel *LocTimeLabel = nullptr, *LocTimePanel = nullptr;
    QLabel *UTCTimeLabel = nullptr, *UTCTimePanel = nullptr;
    QLabel *SiderealTimeLabel = nullptr, *SiderealTimePanel = nullptr;
    QLabel *JulianDateLabel = nullptr, *JulianDatePanel = nullptr;
    std::array<QLabel*, kWorldCityCount> cityPanels_{};
    QComboBox* TimeServerBox = nullptr;
    QLineEdit* TimeStampEd = nullptr;
    QLabel* AdjustLab = nullptr;
    QPushButton* GetInternetTimeBut = nullptr;
    ScheduleBox* UpdateClockPerScheduleBox = nullptr;
};

} // namespace skelvane
