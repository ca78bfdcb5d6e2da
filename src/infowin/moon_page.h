#pragma once

#include "astro/datetime.h"
#include "astro/day_lists.h"
#include "astro/format_date.h"
#include "infowin/moon_page_texts.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace skelvane {

class ApolloMoon;
class MoonIconLists;
struct DayDisplay;
struct Settings;

struct MoonPageInputs {
    // The selected local date (the clock window's calendar) at the present clock time.
    DateTime x = 0;
    // The present local time.
    DateTime nowLocal = 0;
    // The clock window's kept sun lines and hours; null makes the page work them out.
    const DayDisplay* clockDay = nullptr;
    std::string datePattern = "mm/dd/yy";              // lists
    std::string longDatePattern = "dddd mmmm d, yyyy"; // captions, status bar
    DateLocale names = EnglishDateLocale();
};

// The Moon page of the information window: the Moon's rise, set, phase and position for the
// selected day, the Sun's, the month's phases, the year's equinoxes, solstices and clock
// changes, and the three display-mode choices. It keeps the lists the clock window reads.
class MoonPage : public QWidget {
    Q_OBJECT
public:
    MoonPage(Settings& settings, const MoonIconLists& icons, QWidget* parent = nullptr);

    // The full refresh for the selected date at the present time: the month's phases, the
    // day's Moon events, the year's equinoxes and solstices, then every display of the page,
    // the status-bar texts and the captions of other pages' groups. A date outside the
    // engine's years (1600..3999) or not a number leaves the page as it was.
    void UpdateInfoForm(const MoonPageInputs& inputs);

    // Sun and Moon azimuth/altitude panels for a local instant (called every tick).
    struct Azimuths {
        double sun = 0, moon = 0;
    };
    Azimuths ShowSunMoonPosition(DateTime local);

    const std::array<StMoonRec, 5>& phases() const { return phases_; }
    const MoonDayEvents& moonEvents() const { return moonEvents_; }
    const std::array<EquinoxEntry, 4>& equinoxes() const { return equinoxes_; }
    // "New Moon", "First Quarter", "FULL MOON", "Last Quarter" kept for the day; else empty.
    QString MoonPhaseNameOn(DateTime date) const;
    // Icon of kept phase n (1..5): 0, 6, 12, 18, or (24 - that) mod 24 for the southern
    // form; -1 for an empty slot or n out of range.
    int GetIconNum(int n, bool southern) const;

    // One tick of the animation timer: +0.33 day on the picture while "Animate Moon" is
    // checked and the page is showing.
    void animateStep();
    bool animating() const;
    // The picture's instant (UTC) and whether it carries the landing-site marker.
    DateTime pictureDate() const;
    bool apolloMarkerShown() const;

    // The four status-bar texts of the last refresh (empty for another panel number).
    QString statusText(int panel) const;
    // Captions of the last refresh, including the planet, meteor and eclipse groups.
    const MoonPageCaptions& captions() const { return captions_; }

    // Handlers, public so the frame's commands can share them.
    void GoToMoonPhaseDate(int n);     // n = 1..5; nothing for an empty slot
    void SunLabelClick(int n);         // n = 1..4
    void DaylightLabelClick(int line); // line 0 or 1, in time order
    void Moon1Click();
    void AnimateMoonBoxClick();
    void LocalTimeRadioGroupClick();
    void AmPmTimeRadioGroupClick();
    void HemisphereRadioGroupClick();

signals:
    // A phase, equinox or daylight line (or a phase button) asks for its day.
    void goToDate(DateTime localDay);
    // A radio group flipped UseLocalTime, UseMilitaryTime or SouthernHemisphere: re-select
    // the calendar's date and run the clock tick.
    void displayModeChanged();
    // Emitted before displayModeChanged when the time scale or the clock style changed: the
    // year's eclipse list holds instants and times of the old mode.
    void eclipseListNeedsRebuild();
    // "Animate Moon" was unchecked: the page goes back to the selected date.
    void refreshRequested();
    // The animation started or stopped, for the timer's enabled state.
    void animationChanged(bool running);
    // "View 1", "View 2", "USNO Data": an address for the user's own browser.
    void webAddressRequested(const QString& address);
    // "Get Map": the Maps page's selected map site.
    void getMapRequested();
    // A map thumbnail: the map of `code` directly.
    void mapRequested(int code);

protected:
    void changeEvent(QEvent* event) override;

private:
    QGroupBox* buildMoonGroup();
    QGroupBox* buildSunGroup();
    QGroupBox* buildPhaseGroup();
    QGroupBox* buildEquinoxGroup();
    QGroupBox* buildDaylightGroup();
    QGroupBox* buildLocationGroup();
    QWidget* buildLinks(QWidget* parent);
    void UpdateLatLonDisplays();
    QWidget* buildRadioGroups();
    QGroupBox* makeChoiceGroup(const QString& name, QRadioButton*& first, const QString& firstText,
                               QRadioButton*& second, const QString& secondText,
                               void (MoonPage::*handler)());
    void applyMinimumWidths();
    void syncChoices();

    void UpdateAllMoonDisplays();
    void UpdateMoonPhasesDisplay();
    void updateMoonDisplay();
    void updateSunDisplayFrom(const DayDisplay& clockDay);
    void updateEquinoxDisplay();
    void updateDaylightDisplay();
    void updateMoonHint();
    void showPicture(DateTime utc);

    Settings& settings_;
    const MoonIconLists& icons_;
    MoonPageInputs inputs_;

    std::array<StMoonRec, 5> phases_{};
    MoonDayEvents moonEvents_;
    std::array<EquinoxEntry, 4> equinoxes_{};
    DaylightGroupTexts daylight_;
    std::array<QString, 4> status_;
    MoonPageCaptions captions_;
    DateTime utcX_ = 0;         // the selected date at the present time, UT
    DateTime animationUtc_ = 0; // the animated picture's instant
    TimeZoneState zoneAtX_;

    // Controls; each carries its design name as objectName.
    ApolloMoon* moon1_ = nullptr;
    QCheckBox* animateMoonBox_ = nullptr;
    QLabel *phaseLab1_ = nullptr, *phaseLab2_ = nullptr, *moonUpLab_ = nullptr;
    std::array<QLabel*, 3> moonRiseLabs_{}, moonSetLabs_{}, sunRiseLabs_{}, sunSetLabs_{};
    QLabel *sunUpLab_ = nullptr, *dayHoursLab_ = nullptr;
    QLabel *azimuthMoonPanel_ = nullptr, *altitudeMoonPanel_ = nullptr;
    QLabel *azimuthSunPanel_ = nullptr, *altitudeSunPanel_ = nullptr;
    QGroupBox *moonGroup_ = nullptr, *sunGroup_ = nullptr, *phaseGroup_ = nullptr;
    QGroupBox *equinoxGroup_ = nullptr, *daylightGroup_ = nullptr;
    std::array<QLabel*, 4> locationLabs_{}; // place, latitude, longitude, altitude
    std::array<QToolButton*, 5> phaseButs_{};
    std::array<QLabel*, 5> phaseLabels_{}, phaseTimeLabels_{};
    std::array<QToolButton*, 4> sunButs_{};
    std::array<QLabel*, 4> sunLabels_{}, sunTimeLabels_{};
    std::array<QToolButton*, 2> daylightButs_{};
    std::array<QLabel*, 2> daylightLabels_{}, daylightZoneLabels_{};
    QRadioButton *localTimeRadio_ = nullptr, *greenwichTimeRadio_ = nullptr;
    QRadioButton *amPmRadio_ = nullptr, *hour24Radio_ = nullptr;
    QRadioButton *northernRadio_ = nullptr, *southernRadio_ = nullptr;
};

} // namespace skelvane
