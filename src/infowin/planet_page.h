#pragma once

#include "astro/datetime.h"
#include "astro/eclipses.h"
#include "astro/meteor_showers.h"
#include "infowin/eclipse_texts.h"

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;

namespace skelvane {

struct Settings;

// The Planet page of the information window: where the Sun, the Moon and the planets stand
// in the sky for the selected date at the present clock time, the local sidereal time, the
// year's eclipses (label rows, or a summary and detail memo) and the year's meteor showers.
class PlanetPage : public QWidget {
    Q_OBJECT
public:
    // `eclipses` is the program's one eclipse list (the clock window's); the page refills it
    // for the year it shows and keeps its own copy of what it showed.
    PlanetPage(Settings& settings, TStEclipses& eclipses, QWidget* parent = nullptr);

    // The planet table for a local instant (the selected date at the present clock time).
    // An instant outside 1600..3999 or not a number leaves the table as it was.
    void ShowPlanets(DateTime local);
    // Rebuilds the eclipse group and memo for a year in the present display modes (local or
    // Greenwich time, 12- or 24-hour clock) and emits eclipseListChanged.
    void ShowEclipses(int year);
    // The three group captions the Moon page's refresh makes.
    void setCaptions(const QString& planets, const QString& meteors, const QString& eclipses);
    // The Time page's sidereal text (SiderealTimeText), mirrored on every tick.
    void setSiderealTime(const QString& text);
    // The date patterns and names of the labels and of the memo (both "mm/dd/yy" at first);
    // used by the next ShowEclipses.
    void setDateFormats(const std::string& listPattern, const std::string& summaryPattern,
                        const DateLocale& names);

    // The year shown by the last ShowEclipses (0 before the first).
    int eclipseYear() const { return year_; }
    // One entry per eclipse shown, in list order: the listed instant (UT) and the kind name.
    const std::vector<EclipseListing>& eclipseListings() const { return listings_; }

    // Handlers, public so the frame's commands can share them.
    void PlanetRadioGroupClick();
    void EclipseRadioGroupClick();
    // Shows the memo (detailed view) or only the label rows (summary view).
    void SetEclipsesMemo();
    // Selects the day of eclipse n (1..count) in the displayed time; nothing otherwise.
    void EclipseLabClick(int n);
    // Selects the date of meteor shower n (1..9) in the shown year; nothing otherwise.
    void MeteorButClick(int n);

signals:
    // An eclipse row or a meteor row asks for its day (the calendar's time scale).
    void goToDate(DateTime localDay);
    // ShowEclipses rebuilt the list: the clock window re-captions its eclipse items.
    void eclipseListChanged();
    // "View Sky", "Get Sky Map", "US Naval Observatory": an address for the user's browser.
    void webAddressRequested(const QString& address);

private:
    QGroupBox* buildPlanetGroup();
    QGroupBox* buildEclipseGroup();
    QGroupBox* buildMeteorGroup();
    QWidget* buildLinks();
    QGroupBox* makeChoiceGroup(const QString& name, QRadioButton*& first, const QString& firstText,
                               QRadioButton*& second, const QString& secondText,
                               void (PlanetPage::*handler)());
    void syncChoices();
    void showPlanetLabels();

    Settings& settings_;
    TStEclipses& eclipses_;
    QList<QIcon> icons_;
    EclipseTextMode textMode_;
    int year_ = 0;
    DateTime lastLocal_ = 0; // the instant of the last ShowPlanets, for a mode change
    std::vector<EclipseListing> listings_;

    // Controls; each carries its design name as objectName.
    QGroupBox *planetGroup_ = nullptr, *eclipseGroup_ = nullptr, *meteorGroup_ = nullptr;
    QPlainTextEdit* planetsMemo_ = nullptr;
    QRadioButton *surfaceRadio_ = nullptr, *astronomicalRadio_ = nullptr;
    std::array<QLabel*, 2> planetLabels_{};
    QLabel *siderealLabel_ = nullptr, *siderealPanel_ = nullptr;
    QRadioButton *summaryRadio_ = nullptr, *detailedRadio_ = nullptr;
    QPlainTextEdit* eclipsesMemo_ = nullptr;
    std::array<QToolButton*, kEclipseRowCount> eclipseButs_{};
    std::array<QLabel*, kEclipseRowCount> eclipseLabs_{}, eclipseTimeLabs_{};
    std::array<QToolButton*, kMeteorShowerCount> meteorButs_{};
    std::array<QLabel*, kMeteorShowerCount> meteorLabs_{};
};

} // namespace skelvane
