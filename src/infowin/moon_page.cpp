#include "infowin/moon_page.h"

#include "app/settings.h"
#include "astro/moon.h"
#include "astro/moon_calendar.h"
#include "astro/sun.h"
#include "astro/time_conversions.h"
#include "astro/timezone.h"
#include "infowin/apollo_marker.h"
#include "infowin/location_page_texts.h"
#include "net/decode/map_address.h"
#include "net/decode/web_links.h"
#include "widgets/choice_group.h"
#include "widgets/day_display.h"
#include "widgets/link_label.h"
#include "widgets/moon_icons.h"
#include "widgets/widget_factories.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace skelvane {

namespace {

constexpr double kAnimationStepDays = 0.33;
// The picture hint offers the landing site only while it is in sunlight.
constexpr double kHintAngleLow = -67;
constexpr double kHintAngleHigh = 107;

HorizontalCoords SunAt(const Settings& settings, DateTime utc) {
    const RaDecRec place = SunRaDec(AstroTimeFromDateTime(utc));
    return HorizontalPosition(settings.Altitude, 0, place.dec, place.ra, settings.Latitude,
                              settings.Longitude, utc);
}

// The Moon is close enough for its parallax to shift it by up to a degree.
HorizontalCoords MoonAt(const Settings& settings, DateTime utc) {
    const MoonPosRec place = MoonPosition(AstroTimeFromDateTime(utc));
    return HorizontalPosition(settings.Altitude, place.parallax, place.dec, place.ra,
                              settings.Latitude, settings.Longitude, utc);
}

// A small sun for the buttons beside the equinox and solstice lines.
QIcon SunIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(230, 120, 0), 1.2));
    for (int ray = 0; ray < 8; ++ray) {
        const double angle = ray * std::numbers::pi / 4;
        painter.drawLine(QPointF(8 + 5 * std::cos(angle), 8 + 5 * std::sin(angle)),
                         QPointF(8 + 7.5 * std::cos(angle), 8 + 7.5 * std::sin(angle)));
    }
    painter.setBrush(QColor(255, 210, 0));
    painter.drawEllipse(QPointF(8, 8), 4, 4);
    return QIcon(pixmap);
}

} // namespace

MoonPage::MoonPage(Settings& settings, const MoonIconLists& icons, QWidget* parent)
    : QWidget(parent), settings_(settings), icons_(icons) {
    setObjectName(QStringLiteral("MoonSheet"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(6);
    // Moon and Sun side by side; under the Moon the month's phases and the year's seasons,
    // under the Sun the display modes and the clock changes.
    grid->addWidget(buildMoonGroup(), 0, 0);
    grid->addWidget(buildSunGroup(), 0, 1);
    grid->addWidget(buildPhaseGroup(), 1, 0);
    grid->addWidget(buildRadioGroups(), 1, 1);
    grid->addWidget(buildEquinoxGroup(), 2, 0);
    grid->addWidget(buildDaylightGroup(), 2, 1, Qt::AlignTop);
    grid->addWidget(buildLocationGroup(), 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 4);
    grid->setColumnStretch(1, 3);
    applyMinimumWidths();
    syncChoices();
    updateMoonHint();
}

QGroupBox* MoonPage::buildMoonGroup() {
    moonGroup_ = new QGroupBox(this);
    moonGroup_->setObjectName(QStringLiteral("MoonGroupBox"));
    moon1_ = new ApolloMoon(moonGroup_);
    moon1_->setObjectName(QStringLiteral("Moon1"));
    moon1_->setFixedSize(64, 64);
    moon1_->setHint(QStringLiteral("Click to show Apollo 11"));
    connect(moon1_, &TMoon::clicked, this, &MoonPage::Moon1Click);
    animateMoonBox_ = new QCheckBox(QStringLiteral("Animate Moon"), moonGroup_);
    animateMoonBox_->setObjectName(QStringLiteral("AnimateMoonBox"));
    connect(animateMoonBox_, &QCheckBox::clicked, this, &MoonPage::AnimateMoonBoxClick);

    phaseLab1_ = NamedLabel(this, QStringLiteral("PhaseLab1"));
    phaseLab2_ = NamedLabel(this, QStringLiteral("PhaseLab2"));
    QFont bold = phaseLab2_->font();
    bold.setBold(true);
    phaseLab2_->setFont(bold);
    moonUpLab_ = NamedLabel(this, QStringLiteral("MoonUpLab"));
    QLabel* azimuthCaption = NamedLabel(this, QStringLiteral("AzimuthMoonLab"));
    azimuthCaption->setText(QStringLiteral("Azimuth"));
    QLabel* altitudeCaption = NamedLabel(this, QStringLiteral("AltitudeMoonLab"));
    altitudeCaption->setText(QStringLiteral("Altitude"));
    azimuthMoonPanel_ = NamedLabel(this, QStringLiteral("AzimuthMoonPanel"));
    altitudeMoonPanel_ = NamedLabel(this, QStringLiteral("AltitudeMoonPanel"));
    for (int i = 0; i < 3; ++i) {
        moonRiseLabs_[i] = NamedLabel(this, QStringLiteral("MoonRiseLab%1").arg(i + 1));
        moonSetLabs_[i] = NamedLabel(this, QStringLiteral("MoonSetLab%1").arg(i + 1));
    }

    auto* grid = new QGridLayout(moonGroup_);
    grid->setVerticalSpacing(2);
    grid->addWidget(moon1_, 0, 0, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(animateMoonBox_, 3, 0, 1, 2);
    grid->addWidget(phaseLab1_, 0, 1);
    grid->addWidget(phaseLab2_, 1, 1);
    grid->addWidget(moonUpLab_, 2, 1);
    grid->addWidget(azimuthCaption, 0, 2);
    grid->addWidget(azimuthMoonPanel_, 1, 2);
    grid->addWidget(altitudeCaption, 2, 2);
    grid->addWidget(altitudeMoonPanel_, 3, 2);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(moonRiseLabs_[i], 4 + i, 0, 1, 3);
        grid->addWidget(moonSetLabs_[i], 7 + i, 0, 1, 3);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(10, 1);
    return moonGroup_;
}

QGroupBox* MoonPage::buildSunGroup() {
    sunGroup_ = new QGroupBox(this);
    sunGroup_->setObjectName(QStringLiteral("SunGroupBox"));
    sunUpLab_ = NamedLabel(this, QStringLiteral("SunUpLab"));
    QFont bold = sunUpLab_->font();
    bold.setBold(true);
    sunUpLab_->setFont(bold);
    dayHoursLab_ = NamedLabel(this, QStringLiteral("DayHoursLab"));
    QLabel* azimuthCaption = NamedLabel(this, QStringLiteral("AzimuthSunLab"));
    azimuthCaption->setText(QStringLiteral("Azimuth"));
    QLabel* altitudeCaption = NamedLabel(this, QStringLiteral("AltitudeSunLab"));
    altitudeCaption->setText(QStringLiteral("Altitude"));
    azimuthSunPanel_ = NamedLabel(this, QStringLiteral("AzimuthSunPanel"));
    altitudeSunPanel_ = NamedLabel(this, QStringLiteral("AltitudeSunPanel"));
    for (int i = 0; i < 3; ++i) {
        sunRiseLabs_[i] = NamedLabel(this, QStringLiteral("SunRiseLab%1").arg(i + 1));
        sunSetLabs_[i] = NamedLabel(this, QStringLiteral("SunSetLab%1").arg(i + 1));
    }

    auto* grid = new QGridLayout(sunGroup_);
    grid->setVerticalSpacing(2);
    grid->addWidget(sunUpLab_, 0, 0);
    grid->addWidget(dayHoursLab_, 1, 0);
    grid->addWidget(azimuthCaption, 0, 1);
    grid->addWidget(azimuthSunPanel_, 1, 1);
    grid->addWidget(altitudeCaption, 2, 1);
    grid->addWidget(altitudeSunPanel_, 3, 1);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(sunRiseLabs_[i], 4 + i, 0, 1, 2);
        grid->addWidget(sunSetLabs_[i], 7 + i, 0, 1, 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(10, 1);
    return sunGroup_;
}

QGroupBox* MoonPage::buildPhaseGroup() {
    phaseGroup_ = new QGroupBox(this);
    phaseGroup_->setObjectName(QStringLiteral("MoonPhaseGroupBox"));
    auto* grid = new QGridLayout(phaseGroup_);
    grid->setVerticalSpacing(1);
    for (int i = 0; i < 5; ++i) {
        const int n = i + 1;
        phaseButs_[i] = IconButton(this, QStringLiteral("MoonPhaseBut%1").arg(n));
        connect(phaseButs_[i], &QToolButton::clicked, this, [this, n] { GoToMoonPhaseDate(n); });
        phaseLabels_[i] = NamedLink(this, QStringLiteral("Label%1").arg(n), this,
                                    [this, n] { GoToMoonPhaseDate(n); });
        phaseTimeLabels_[i] = NamedLabel(this, QStringLiteral("TimeLabel%1").arg(n));
        grid->addWidget(phaseButs_[i], i, 0);
        grid->addWidget(phaseLabels_[i], i, 1);
        grid->addWidget(phaseTimeLabels_[i], i, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return phaseGroup_;
}

QGroupBox* MoonPage::buildEquinoxGroup() {
    equinoxGroup_ = new QGroupBox(this);
    equinoxGroup_->setObjectName(QStringLiteral("EquinoxGroupBox"));
    auto* grid = new QGridLayout(equinoxGroup_);
    grid->setVerticalSpacing(1);
    const QIcon sun = SunIcon();
    for (int i = 0; i < 4; ++i) {
        const int n = i + 1;
        sunButs_[i] = IconButton(this, QStringLiteral("SunBut%1").arg(n));
        sunButs_[i]->setIcon(sun);
        sunLabels_[i] = NamedLink(this, QStringLiteral("SunLabel%1").arg(n), this,
                                  [this, n] { SunLabelClick(n); });
        sunTimeLabels_[i] = NamedLabel(this, QStringLiteral("SunTimeLabel%1").arg(n));
        grid->addWidget(sunButs_[i], i, 0);
        grid->addWidget(sunLabels_[i], i, 1);
        grid->addWidget(sunTimeLabels_[i], i, 2);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return equinoxGroup_;
}

QGroupBox* MoonPage::buildDaylightGroup() {
    daylightGroup_ = new QGroupBox(this);
    daylightGroup_->setObjectName(QStringLiteral("DaylightGroupBox"));
    auto* grid = new QGridLayout(daylightGroup_);
    grid->setVerticalSpacing(1);
    const char* names[2] = {"DaylightStart", "DaylightEnd"};
    for (int i = 0; i < 2; ++i) {
        const QString base = QString::fromLatin1(names[i]);
        daylightButs_[i] = IconButton(this, base + QStringLiteral("But"));
        daylightLabels_[i] = NamedLink(this, base + QStringLiteral("Label1"), this,
                                       [this, i] { DaylightLabelClick(i); });
        daylightZoneLabels_[i] = NamedLabel(this, base + QStringLiteral("Label2"));
        grid->addWidget(daylightButs_[i], 2 * i, 0, 2, 1, Qt::AlignTop);
        grid->addWidget(daylightLabels_[i], 2 * i, 1);
        grid->addWidget(daylightZoneLabels_[i], 2 * i + 1, 1);
    }
    grid->setColumnStretch(1, 1);
    return daylightGroup_;
}

QGroupBox* MoonPage::makeChoiceGroup(const QString& name, QRadioButton*& first,
                                     const QString& firstText, QRadioButton*& second,
                                     const QString& secondText, void (MoonPage::*handler)()) {
    QGroupBox* group = MakeChoiceGroup(this, name, first, firstText, second, secondText);
    connect(first, &QRadioButton::clicked, this, handler);
    connect(second, &QRadioButton::clicked, this, handler);
    return group;
}

QWidget* MoonPage::buildRadioGroups() {
    auto* block = new QWidget(this);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(makeChoiceGroup(QStringLiteral("LocalTimeRadioGroup"), localTimeRadio_,
                                    QStringLiteral("Local Time"), greenwichTimeRadio_,
                                    QStringLiteral("Greenwich Time"),
                                    &MoonPage::LocalTimeRadioGroupClick),
                    0, 0);
    grid->addWidget(makeChoiceGroup(QStringLiteral("AmPmTimeRadioGroup"), amPmRadio_,
                                    QStringLiteral("AM PM"), hour24Radio_,
                                    QStringLiteral("24 Hour"), &MoonPage::AmPmTimeRadioGroupClick),
                    0, 1);
    grid->addWidget(makeChoiceGroup(QStringLiteral("HemisphereRadioGroup"), northernRadio_,
                                    QStringLiteral("Northern Hemisphere"), southernRadio_,
                                    QStringLiteral("Southern Hemisphere"),
                                    &MoonPage::HemisphereRadioGroupClick),
                    1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    return block;
}

// Columns keep the width of their longest text, so a refresh never makes the page jump.
void MoonPage::applyMinimumWidths() {
    const QFontMetrics metrics(font());
    const auto width = [&](const char* sample) {
        return metrics.horizontalAdvance(QString::fromLatin1(sample)) + 4;
    };
    const int zone = width("Greenwich Time (GMT)");
    const int listLine = width("00/00/00   00:00  AM   First Quarter");
    const int panel = width("000.000 (NW)  ");
    for (QLabel* label : phaseLabels_)
        label->setMinimumWidth(listLine);
    for (QLabel* label : sunLabels_)
        label->setMinimumWidth(listLine);
    for (QLabel* label : phaseTimeLabels_)
        label->setMinimumWidth(zone);
    for (QLabel* label : sunTimeLabels_)
        label->setMinimumWidth(zone);
    for (QLabel* panelLabel :
         {azimuthMoonPanel_, altitudeMoonPanel_, azimuthSunPanel_, altitudeSunPanel_}) {
        panelLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panelLabel->setMinimumWidth(panel);
        panelLabel->setMargin(1);
    }
    // Empty labels keep their line, so the groups do not change height.
    for (QLabel* label : findChildren<QLabel*>())
        label->setMinimumHeight(metrics.height());
}

void MoonPage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyMinimumWidths();
}

void MoonPage::syncChoices() {
    const QSignalBlocker blockAnimate(animateMoonBox_);
    animateMoonBox_->setChecked(settings_.AnimateMoon);
    (settings_.UseLocalTime ? localTimeRadio_ : greenwichTimeRadio_)->setChecked(true);
    (settings_.UseMilitaryTime ? hour24Radio_ : amPmRadio_)->setChecked(true);
    (settings_.SouthernHemisphere ? southernRadio_ : northernRadio_)->setChecked(true);
}

void MoonPage::UpdateInfoForm(const MoonPageInputs& inputs) {
    // The calendar never selects such a date; the engine's day loops must not see one.
    if (!AstroTimeFromDateTime(inputs.x).valid())
        return;
    inputs_ = inputs;
    inputs_.clockDay = nullptr; // not kept: it belongs to the clock window
    syncChoices();
    const DateTime x = inputs.x;
    const DateTime day = DateOf(x);
    utcX_ = LocalToUtc(x);
    zoneAtX_ = CurrentTimeZoneState();

    ListDisplayMode mode;
    mode.localTime = settings_.UseLocalTime;
    mode.use24Hour = settings_.UseMilitaryTime;
    mode.datePattern = inputs.datePattern;
    mode.names = inputs.names;
    phases_ = CalcMoonPhases(mode, x);
    // The up/down test compares instants of the list's own time scale: in Greenwich mode the
    // selected day at the present UT time of day.
    const DateTime moonNow = mode.localTime ? x : CombineDateTime(utcX_, day);
    moonEvents_ = CalcMoonRiseSet(mode, day, moonNow, settings_.Latitude, settings_.Longitude,
                                  settings_.Altitude);
    equinoxes_ = CalcEquinoxSolstice(mode, DecodeDate(x).year);
    daylight_ = DaylightSavingTexts(zoneAtX_, inputs.names);
    status_ = StatusBarTexts(day, inputs.longDatePattern, inputs.names);
    captions_ = PageCaptions(day, inputs.longDatePattern, inputs.names);

    UpdateLatLonDisplays();
    UpdateAllMoonDisplays();
    if (inputs.clockDay) {
        updateSunDisplayFrom(*inputs.clockDay);
    } else {
        DayDisplayInputs dayInputs;
        dayInputs.day = day;
        dayInputs.now = x;
        dayInputs.shortDatePattern = inputs.datePattern;
        dayInputs.names = inputs.names;
        updateSunDisplayFrom(ComputeDayDisplay(settings_, dayInputs));
    }
    ShowSunMoonPosition(x);
}

void MoonPage::UpdateAllMoonDisplays() {
    moon1_->setRotated(settings_.SouthernHemisphere);
    // A running animation keeps its own date; a stored "Animate Moon" starts from today's.
    if (!settings_.AnimateMoon) {
        showPicture(utcX_);
    } else if (animationUtc_ == 0) {
        animationUtc_ = utcX_;
        showPicture(animationUtc_);
    }
    UpdateMoonPhasesDisplay();
    updateMoonDisplay();
    updateEquinoxDisplay();
    updateDaylightDisplay();
}

void MoonPage::UpdateMoonPhasesDisplay() {
    const Hemisphere hemisphere =
        settings_.SouthernHemisphere ? Hemisphere::Southern : Hemisphere::Northern;
    for (std::size_t i = 0; i < phases_.size(); ++i) {
        const StMoonRec& phase = phases_[i];
        const QString hint = PhaseGoToHint(phase);
        phaseLabels_[i]->setText(ToQString(phase.text));
        phaseLabels_[i]->setToolTip(hint);
        phaseTimeLabels_[i]->setText(ToQString(phase.zoneName));
        // The icon number is the northern one; the southern set is drawn turned instead.
        const int icon = GetIconNum(static_cast<int>(i) + 1, false);
        phaseButs_[i]->setIcon(icon < 0 ? QIcon() : icons_.icon(hemisphere, icon));
        phaseButs_[i]->setToolTip(hint);
        phaseButs_[i]->setVisible(!phase.empty());
    }
    phaseGroup_->setTitle(captions_.phases);
}

void MoonPage::updateMoonDisplay() {
    const QString phaseName = MoonPhaseNameOn(inputs_.x);
    phaseLab1_->setText(IlluminationText(MoonIlluminatedFraction(utcX_), phaseName));
    phaseLab2_->setText(phaseName);

    std::array<double, 2> azimuths{-1, -1};
    if (!moonEvents_.allDay) {
        for (int n = 0; n < std::min(moonEvents_.count, 2); ++n) {
            const DateTime utc = ShownToUtc(
                moonEvents_.events[static_cast<std::size_t>(n)].instant(), settings_.UseLocalTime);
            azimuths[static_cast<std::size_t>(n)] = MoonAt(settings_, utc).azimuth;
        }
    }
    const MoonLabelTexts texts = MoonLabels(moonEvents_, azimuths);
    for (std::size_t i = 0; i < 3; ++i) {
        moonRiseLabs_[i]->setText(texts.rise[i]);
        moonSetLabs_[i]->setText(texts.set[i]);
    }
    moonUpLab_->setText(texts.up);
    moonGroup_->setTitle(captions_.moon);
}

void MoonPage::updateSunDisplayFrom(const DayDisplay& clockDay) {
    SunDayInput sun;
    sun.riseLine = clockDay.sunriseLine;
    sun.riseZone = clockDay.sunriseZone;
    sun.setLine = clockDay.sunsetLine;
    sun.setZone = clockDay.sunsetZone;
    sun.riseHours = clockDay.sunriseHours;
    sun.setHours = clockDay.sunsetHours;
    const DateTime day = DateOf(inputs_.x);
    if (sun.riseHours >= 0 && sun.setHours >= 0) {
        sun.riseAzimuth = SunAt(settings_, SunEventLocal(day, sun.riseHours).utc).azimuth;
        sun.setAzimuth = SunAt(settings_, SunEventLocal(day, sun.setHours).utc).azimuth;
    }
    const double nowHours = (inputs_.x - day) * 24.0;
    sun.sunUp = IsSunUpNow(zoneAtX_.offsetHours, sun.setHours, sun.riseHours, nowHours);
    const SunLabelTexts texts = SunLabels(sun);
    for (std::size_t i = 0; i < 3; ++i) {
        sunRiseLabs_[i]->setText(texts.rise[i]);
        sunSetLabs_[i]->setText(texts.set[i]);
    }
    sunUpLab_->setText(texts.up);
    dayHoursLab_->setText(texts.dayHours);
    sunGroup_->setTitle(captions_.sun);
}

void MoonPage::updateEquinoxDisplay() {
    for (std::size_t i = 0; i < equinoxes_.size(); ++i) {
        const EquinoxEntry& entry = equinoxes_[i];
        const QString hint = QStringLiteral("Go To ") + ToQString(entry.name);
        sunLabels_[i]->setText(ToQString(entry.text));
        sunLabels_[i]->setToolTip(hint);
        sunButs_[i]->setToolTip(hint);
        sunTimeLabels_[i]->setText(ToQString(entry.zoneName));
    }
    equinoxGroup_->setTitle(captions_.equinoxes);
}

void MoonPage::updateDaylightDisplay() {
    daylightGroup_->setTitle(captions_.daylight);
    daylightGroup_->setVisible(daylight_.shown);
    for (std::size_t i = 0; i < daylight_.lines.size(); ++i) {
        const DaylightLine& line = daylight_.lines[i];
        daylightLabels_[i]->setText(line.text);
        daylightLabels_[i]->setToolTip(line.hint);
        daylightZoneLabels_[i]->setText(line.startOf);
        daylightButs_[i]->setToolTip(line.hint);
        daylightButs_[i]->setIcon(
            style()->standardIcon(line.isStart ? QStyle::SP_ArrowRight : QStyle::SP_ArrowLeft));
    }
}

void MoonPage::showPicture(DateTime utc) {
    moon1_->setPictureDate(utc);
    updateMoonHint();
}

void MoonPage::updateMoonHint() {
    moon1_->setHint(moon1_->markerShown() ? QStringLiteral("Click to hide Apollo 11")
                                          : QStringLiteral("Click to show Apollo 11"));
    const double angle = moon1_->phaseAngle();
    moon1_->setShowHint(angle > kHintAngleLow && angle < kHintAngleHigh);
}

MoonPage::Azimuths MoonPage::ShowSunMoonPosition(DateTime local) {
    const DateTime utc = LocalToUtc(local);
    const HorizontalCoords sun = SunAt(settings_, utc);
    const HorizontalCoords moon = MoonAt(settings_, utc);
    azimuthSunPanel_->setText(AzimuthPanelText(sun.azimuth));
    altitudeSunPanel_->setText(AltitudePanelText(sun.altitude));
    azimuthMoonPanel_->setText(AzimuthPanelText(moon.azimuth));
    altitudeMoonPanel_->setText(AltitudePanelText(moon.altitude));
    return {sun.azimuth, moon.azimuth};
}

QString MoonPage::MoonPhaseNameOn(DateTime date) const {
    return ToQString(GetMoonPhaseName(phases_, date));
}

int MoonPage::GetIconNum(int n, bool southern) const {
    if (n < 1 || n > static_cast<int>(phases_.size()))
        return -1;
    return PhaseIconNumber(phases_[static_cast<std::size_t>(n - 1)], southern);
}

void MoonPage::animateStep() {
    if (!settings_.AnimateMoon || !isVisible())
        return;
    animationUtc_ += kAnimationStepDays;
    // Left running for days the picture would leave the engine's years: start over.
    if (!AstroTimeFromDateTime(animationUtc_).valid())
        animationUtc_ = utcX_;
    showPicture(animationUtc_);
}

bool MoonPage::animating() const {
    return settings_.AnimateMoon;
}

DateTime MoonPage::pictureDate() const {
    return moon1_->pictureDate();
}

bool MoonPage::apolloMarkerShown() const {
    return moon1_->markerShown();
}

QString MoonPage::statusText(int panel) const {
    if (panel < 0 || panel >= static_cast<int>(status_.size()))
        return {};
    return status_[static_cast<std::size_t>(panel)];
}

void MoonPage::GoToMoonPhaseDate(int n) {
    if (n < 1 || n > static_cast<int>(phases_.size()))
        return;
    const StMoonRec& phase = phases_[static_cast<std::size_t>(n - 1)];
    if (!phase.empty())
        emit goToDate(DateOf(phase.instant()));
}

void MoonPage::SunLabelClick(int n) {
    if (n < 1 || n > static_cast<int>(equinoxes_.size()))
        return;
    const EquinoxEntry& entry = equinoxes_[static_cast<std::size_t>(n - 1)];
    if (entry.instant != 0)
        emit goToDate(DateOf(entry.instant));
}

void MoonPage::DaylightLabelClick(int line) {
    if (!daylight_.shown || line < 0 || line >= static_cast<int>(daylight_.lines.size()))
        return;
    emit goToDate(DateOf(daylight_.lines[static_cast<std::size_t>(line)].instant));
}

void MoonPage::Moon1Click() {
    moon1_->setMarkerShown(!moon1_->markerShown());
    updateMoonHint();
}

void MoonPage::AnimateMoonBoxClick() {
    const bool on = animateMoonBox_->isChecked();
    if (on == settings_.AnimateMoon)
        return;
    settings_.AnimateMoon = on;
    if (on) {
        animationUtc_ = moon1_->pictureDate() != 0 ? moon1_->pictureDate() : utcX_;
        emit animationChanged(true);
        return;
    }
    animationUtc_ = 0;
    showPicture(utcX_);
    emit animationChanged(false);
    emit refreshRequested();
}

void MoonPage::LocalTimeRadioGroupClick() {
    const bool local = localTimeRadio_->isChecked();
    if (local == settings_.UseLocalTime)
        return;
    settings_.UseLocalTime = local;
    emit eclipseListNeedsRebuild();
    emit displayModeChanged();
}

void MoonPage::AmPmTimeRadioGroupClick() {
    const bool use24Hour = hour24Radio_->isChecked();
    if (use24Hour == settings_.UseMilitaryTime)
        return;
    settings_.UseMilitaryTime = use24Hour;
    // The eclipse list holds formatted times too.
    emit eclipseListNeedsRebuild();
    emit displayModeChanged();
}

void MoonPage::HemisphereRadioGroupClick() {
    const bool southern = southernRadio_->isChecked();
    if (southern == settings_.SouthernHemisphere)
        return;
    settings_.SouthernHemisphere = southern;
    emit displayModeChanged();
}

QGroupBox* MoonPage::buildLocationGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Location for rise and set times "), this);
    group->setObjectName(QStringLiteral("LocationGroupBox"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    const char* names[] = {"LocationPlaceLab", "LocationLatitudeLab", "LocationLongitudeLab",
                           "LocationAltitudeLab"};
    for (std::size_t i = 0; i < locationLabs_.size(); ++i) {
        locationLabs_[i] = NamedLabel(this, QLatin1String(names[i]));
        // Place and latitude on the left, longitude and altitude on the right.
        grid->addWidget(locationLabs_[i], static_cast<int>(i % 2), static_cast<int>(i / 2));
    }
    grid->addWidget(buildLinks(group), 2, 0, 1, 2);
    return group;
}

namespace {

// The two map thumbnails: a street grid and contour lines, drawn at the size of a small
// button so that no picture file is needed.
QIcon MapThumbnail(bool topographic) {
    QPixmap pixmap(44, 32);
    pixmap.fill(topographic ? QColor(236, 228, 200) : QColor(242, 239, 233));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (topographic) {
        painter.setPen(QPen(QColor(150, 100, 50), 1));
        for (int r = 4; r <= 20; r += 4)
            painter.drawEllipse(QPointF(24, 17), r * 1.3, r * 0.8);
    } else {
        painter.setPen(QPen(QColor(255, 255, 255), 3));
        painter.drawLine(0, 10, 44, 14);
        painter.drawLine(14, 0, 18, 32);
        painter.setPen(QPen(QColor(250, 200, 90), 3));
        painter.drawLine(0, 26, 44, 20);
        painter.drawLine(32, 0, 30, 32);
    }
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawEllipse(QPointF(22, 16), 2.5, 2.5);
    return QIcon(pixmap);
}

} // namespace

QWidget* MoonPage::buildLinks(QWidget* parent) {
    auto* links = new QWidget(parent);
    auto* row = new QHBoxLayout(links);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    const auto openButton = [this, links](const char* name, const char* caption, const char* hint,
                                          std::string address) {
        QPushButton* button = NamedPushButton(links, QLatin1String(name), QLatin1String(caption),
                                              QLatin1String(hint));
        connect(button, &QPushButton::clicked, this,
                [this, address] { emit webAddressRequested(QString::fromStdString(address)); });
        return button;
    };
    row->addWidget(openButton("ViewMoonBut1", "View 1", "Get Moon Image 1",
                              NavalObservatoryMoonImageAddress()));
    row->addWidget(
        openButton("ViewMoonBut2", "View 2", "Get Moon Image 2", MoonImageSiteAddress()));
    row->addWidget(openButton("UsnoBut", "USNO Data", "", NavalObservatoryDataAddress()));
    row->addSpacing(16);
    QPushButton* getMap =
        NamedPushButton(links, QStringLiteral("MoonGetMapBut"), QStringLiteral("Get Map"),
                        QStringLiteral("Open a map of the place in your browser"));
    connect(getMap, &QPushButton::clicked, this, &MoonPage::getMapRequested);
    row->addWidget(getMap);
    const auto thumbnail = [this, links](const char* name, const char* hint, bool topographic,
                                         int code) {
        auto* button = new QToolButton(links);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(QLatin1String(hint));
        button->setIcon(MapThumbnail(topographic));
        button->setIconSize(QSize(44, 32));
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, [this, code] { emit mapRequested(code); });
        return button;
    };
    row->addWidget(thumbnail("StreetMapThumb", "Street Map", false, kMoonPageStreetMapCode));
    row->addWidget(thumbnail("TopoMapThumb", "Topographic Map", true, kMoonPageTopoMapCode));
    row->addStretch(1);
    return links;
}

// The saved place the page's times are computed for.
void MoonPage::UpdateLatLonDisplays() {
    const LatLonDisplayTexts lines = LatLonDisplayLines(settings_.PlaceName, settings_.Latitude,
                                                        settings_.Longitude, settings_.Altitude);
    locationLabs_[0]->setText(lines.place);
    locationLabs_[1]->setText(lines.latitude);
    locationLabs_[2]->setText(lines.longitude);
    locationLabs_[3]->setText(lines.altitude);
}

} // namespace skelvane
