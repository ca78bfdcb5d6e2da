#include "infowin/planet_page.h"

#include "app/settings.h"
#include "astro/time_conversions.h"
#include "infowin/planet_texts.h"
#include "net/decode/web_links.h"
#include "widgets/choice_group.h"
#include "widgets/link_label.h"
#include "widgets/menu_icons.h"
#include "widgets/widget_factories.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

// The memo columns line up only in a fixed-pitch face.
QFont MemoFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    return font;
}

// The widest planet line ("Mercury  1 26.39  + 12 07.1", "Jupiter  359.9°(NW)  -89.9°")
// and the lines of the astronomical table.
constexpr int kPlanetMemoColumns = 28;
constexpr int kPlanetMemoLines = 12;
// The detail view covers the label rows with the memo at this height.
constexpr int kEclipseMemoHeight = 240;

// Meteor rows as the page captions them: the date each selects, unlike five menu captions.
struct MeteorRow {
    const char* caption;
    const char* hint;
};
constexpr MeteorRow kMeteorRows[kMeteorShowerCount] = {
    {"Jan  3 - Quadrantids", "Go To Quadrantids"},
    {"Apr 21 - Lyrids", "Go To Lyrids"},
    {"May  5 - Eta Aquarids", "Go To Eta Aquarids"},
    {"Jul 28 - Delta Aquarids", "Go To Delta Aquarids"},
    {"Aug 12 - Perseids", "Go To Perseids"},
    {"Oct 20 - Orionids", "Go To Orionids"},
    {"Nov  3 - Taurids", "Go To Taurids"},
    {"Nov 17 - Leonids", "Go To Leonids"},
    {"Dec 14 - Geminids", "Go To Geminids"},
};

void SetMemoLines(QPlainTextEdit* memo, const QStringList& lines) {
    memo->setPlainText(lines.join(QLatin1Char('\n')));
    memo->verticalScrollBar()->setValue(0);
}

} // namespace

PlanetPage::PlanetPage(Settings& settings, TStEclipses& eclipses, QWidget* parent)
    : QWidget(parent), settings_(settings), eclipses_(eclipses), icons_(SmallImageList()) {
    setObjectName(QStringLiteral("PlanetSheet"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(6);
    // The sky table beside the meteor showers; the year's eclipses across the foot.
    grid->addWidget(buildPlanetGroup(), 0, 0);
    grid->addWidget(buildMeteorGroup(), 0, 1);
    grid->addWidget(buildEclipseGroup(), 1, 0, 1, 2);
    grid->addWidget(buildLinks(), 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    syncChoices();
    showPlanetLabels();
    SetEclipsesMemo();
    // Until the first ShowEclipses the group shows no row and the memo its frame only.
    for (int i = 0; i < kEclipseRowCount; ++i) {
        eclipseButs_[static_cast<std::size_t>(i)]->hide();
        eclipseLabs_[static_cast<std::size_t>(i)]->hide();
        eclipseTimeLabs_[static_cast<std::size_t>(i)]->hide();
    }
    SetMemoLines(eclipsesMemo_, EclipseMemoLines({}, textMode_));
}

QWidget* PlanetPage::buildLinks() {
    auto* links = new QWidget(this);
    auto* row = new QHBoxLayout(links);
    row->setContentsMargins(0, 0, 0, 0);
    QPushButton* viewSky =
        NamedPushButton(links, QStringLiteral("ViewSkyBut"), QStringLiteral("View Sky"),
                        QStringLiteral("Get View of Sky"));
    // The postal code saved at the moment of the click.
    connect(viewSky, &QPushButton::clicked, this, [this] {
        emit webAddressRequested(
            QString::fromStdString(SkyViewAddress(settings_.ZipCode.toStdString())));
    });
    const auto link = [this, links](const char* name, const char* caption, std::string address) {
        const QString target = QString::fromStdString(address);
        LinkLabel* label = NamedLink(links, QLatin1String(name), this,
                                     [this, target] { emit webAddressRequested(target); });
        label->setText(QLatin1String(caption));
        label->setToolTip(target); // the hint shows the site's address
        label->setCursor(Qt::PointingHandCursor);
        return label;
    };
    row->addWidget(viewSky);
    row->addSpacing(12);
    row->addWidget(link("SkyMapLab", "Get Sky Map", SkyMapDownloadsAddress()));
    row->addSpacing(12);
    row->addWidget(link("USNOLab", "US Naval Observatory", NavalObservatoryDataAddress()));
    row->addStretch(1);
    return links;
}

QGroupBox* PlanetPage::makeChoiceGroup(const QString& name, QRadioButton*& first,
                                       const QString& firstText, QRadioButton*& second,
                                       const QString& secondText, void (PlanetPage::*handler)()) {
    QGroupBox* group = MakeChoiceGroup(this, name, first, firstText, second, secondText);
    connect(first, &QRadioButton::clicked, this, handler);
    connect(second, &QRadioButton::clicked, this, handler);
    return group;
}

QGroupBox* PlanetPage::buildPlanetGroup() {
    planetGroup_ = new QGroupBox(this);
    planetGroup_->setObjectName(QStringLiteral("PlanetGroupBox"));
    planetsMemo_ = new QPlainTextEdit(planetGroup_);
    planetsMemo_->setObjectName(QStringLiteral("PlanetsMemo"));
    planetsMemo_->setReadOnly(true);
    planetsMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    planetsMemo_->setFont(MemoFont());
    {
        const QFontMetrics metrics(planetsMemo_->font());
        const int frame = 2 * planetsMemo_->frameWidth() + 12;
        planetsMemo_->setFixedSize(
            metrics.horizontalAdvance(QString(kPlanetMemoColumns, QLatin1Char('0'))) + frame,
            metrics.lineSpacing() * kPlanetMemoLines + frame);
    }

    QGroupBox* choice = makeChoiceGroup(
        QStringLiteral("PlanetRadioGroup"), surfaceRadio_,
        QStringLiteral("Earth Surface Coordinates"), astronomicalRadio_,
        QStringLiteral("Astronomical Coordinates"), &PlanetPage::PlanetRadioGroupClick);
    for (std::size_t i = 0; i < planetLabels_.size(); ++i)
        planetLabels_[i] = NamedLabel(planetGroup_, QStringLiteral("PlanetLab%1").arg(i + 1));
    siderealLabel_ = NamedLabel(planetGroup_, QStringLiteral("SiderealTimeLabel2"));
    siderealLabel_->setText(QStringLiteral(" Local Apparent Sidereal Time"));
    siderealPanel_ = NamedLabel(planetGroup_, QStringLiteral("SiderealTimePanel2"));
    siderealPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    siderealPanel_->setAutoFillBackground(true);
    QPalette cyan = siderealPanel_->palette();
    cyan.setColor(QPalette::Window, QColor(224, 255, 255));
    siderealPanel_->setPalette(cyan);

    auto* grid = new QGridLayout(planetGroup_);
    grid->setVerticalSpacing(4);
    grid->addWidget(planetsMemo_, 0, 0, 6, 1, Qt::AlignTop);
    grid->addWidget(choice, 0, 1);
    grid->addWidget(planetLabels_[0], 1, 1);
    grid->addWidget(planetLabels_[1], 2, 1);
    grid->addWidget(siderealLabel_, 4, 1);
    grid->addWidget(siderealPanel_, 5, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    return planetGroup_;
}

QGroupBox* PlanetPage::buildEclipseGroup() {
    eclipseGroup_ = new QGroupBox(this);
    eclipseGroup_->setObjectName(QStringLiteral("EclipseGroupBox"));
    QGroupBox* choice = makeChoiceGroup(
        QStringLiteral("EclipseRadioGroup"), summaryRadio_, QStringLiteral("Summary View"),
        detailedRadio_, QStringLiteral("Detailed View"), &PlanetPage::EclipseRadioGroupClick);

    // The label rows and the memo share one cell: the detailed view lays the memo over them.
    auto* rows = new QWidget(eclipseGroup_);
    auto* rowGrid = new QGridLayout(rows);
    rowGrid->setContentsMargins(0, 0, 0, 0);
    rowGrid->setVerticalSpacing(1);
    for (int i = 0; i < kEclipseRowCount; ++i) {
        const int n = i + 1;
        const auto at = static_cast<std::size_t>(i);
        eclipseButs_[at] = IconButton(rows, QStringLiteral("EclipseBut%1").arg(n));
        connect(eclipseButs_[at], &QToolButton::clicked, this, [this, n] { EclipseLabClick(n); });
        eclipseLabs_[at] = NamedLink(rows, QStringLiteral("EclipseLab%1").arg(n), this,
                                     [this, n] { EclipseLabClick(n); });
        eclipseTimeLabs_[at] = NamedLabel(rows, QStringLiteral("EclipseTimeLab%1").arg(n));
        for (QWidget* control : std::initializer_list<QWidget*>{eclipseButs_[at], eclipseLabs_[at]})
            control->setToolTip(QStringLiteral("Go To Eclipse"));
        rowGrid->addWidget(eclipseButs_[at], i, 0);
        rowGrid->addWidget(eclipseLabs_[at], i, 1);
        rowGrid->addWidget(eclipseTimeLabs_[at], i, 2);
    }
    rowGrid->setColumnStretch(2, 1);
    rowGrid->setRowStretch(kEclipseRowCount, 1);

    eclipsesMemo_ = new QPlainTextEdit(eclipseGroup_);
    eclipsesMemo_->setObjectName(QStringLiteral("EclipseMemo"));
    eclipsesMemo_->setReadOnly(true);
    eclipsesMemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    eclipsesMemo_->setFont(MemoFont());
    eclipsesMemo_->setMinimumHeight(kEclipseMemoHeight);

    auto* box = new QGridLayout(eclipseGroup_);
    box->setVerticalSpacing(6);
    box->addWidget(choice, 0, 0, Qt::AlignLeft);
    box->addWidget(rows, 1, 0);
    box->addWidget(eclipsesMemo_, 1, 0);
    box->setRowMinimumHeight(1, kEclipseMemoHeight);
    return eclipseGroup_;
}

QGroupBox* PlanetPage::buildMeteorGroup() {
    meteorGroup_ = new QGroupBox(this);
    meteorGroup_->setObjectName(QStringLiteral("MeteorGroupBox"));
    auto* grid = new QGridLayout(meteorGroup_);
    grid->setVerticalSpacing(1);
    const QIcon meteor = icons_.value(kIconMeteorShower);
    for (int i = 0; i < kMeteorShowerCount; ++i) {
        const int n = i + 1;
        const auto at = static_cast<std::size_t>(i);
        const QString hint = QLatin1String(kMeteorRows[at].hint);
        meteorButs_[at] = IconButton(meteorGroup_, QStringLiteral("MeteorBut%1").arg(n));
        meteorButs_[at]->setIcon(meteor);
        meteorButs_[at]->setToolTip(hint);
        connect(meteorButs_[at], &QToolButton::clicked, this, [this, n] { MeteorButClick(n); });
        meteorLabs_[at] = NamedLink(meteorGroup_, QStringLiteral("MeteorLab%1").arg(n), this,
                                    [this, n] { MeteorButClick(n); });
        meteorLabs_[at]->setText(QLatin1String(kMeteorRows[at].caption));
        meteorLabs_[at]->setToolTip(hint);
        grid->addWidget(meteorButs_[at], i, 0);
        grid->addWidget(meteorLabs_[at], i, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kMeteorShowerCount, 1);
    return meteorGroup_;
}

void PlanetPage::syncChoices() {
    (settings_.EarthSurfaceCoords ? surfaceRadio_ : astronomicalRadio_)->setChecked(true);
    (settings_.EclipseSummaryView ? summaryRadio_ : detailedRadio_)->setChecked(true);
}

void PlanetPage::showPlanetLabels() {
    const std::array<QString, 2> texts = PlanetLabelTexts(settings_.EarthSurfaceCoords);
    for (std::size_t i = 0; i < texts.size(); ++i)
        planetLabels_[i]->setText(texts[i]);
}

void PlanetPage::ShowPlanets(DateTime local) {
    if (!std::isfinite(local) || !AstroTimeFromDateTime(local).valid())
        return;
    const DateTime utc = LocalToUtc(local);
    if (!AstroTimeFromDateTime(utc).valid())
        return;
    lastLocal_ = local;
    syncChoices();
    showPlanetLabels();
    const Observer observer{settings_.Latitude, settings_.Longitude,
                            static_cast<double>(settings_.Altitude)};
    SetMemoLines(planetsMemo_, PlanetTableLines(ComputeSkyPositions(utc, observer),
                                                settings_.EarthSurfaceCoords));
}

void PlanetPage::ShowEclipses(int year) {
    year_ = year;
    syncChoices();
    textMode_.localTime = settings_.UseLocalTime;
    textMode_.use24Hour = settings_.UseMilitaryTime;
    eclipses_.FindEclipses(year);
    std::vector<EclipseRecord> shown;
    const int count = std::min(static_cast<int>(eclipses_.Count()), kEclipseRowCount);
    shown.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        shown.push_back(*eclipses_.EclipseAt(i));

    listings_.clear();
    for (int i = 0; i < kEclipseRowCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool present = i < count;
        eclipseButs_[at]->setVisible(present);
        eclipseLabs_[at]->setVisible(present);
        eclipseTimeLabs_[at]->setVisible(present);
        if (!present)
            continue;
        const EclipseRecord& eclipse = shown[at];
        const EclipseRowTexts row = EclipseRow(eclipse, textMode_);
        eclipseLabs_[at]->setText(row.label);
        eclipseTimeLabs_[at]->setText(row.zone);
        eclipseButs_[at]->setIcon(icons_.value(row.icon));
        listings_.push_back({ListedInstant(eclipse), EclipseKindName(eclipse.kind)});
    }
    SetMemoLines(eclipsesMemo_, EclipseMemoLines(shown, textMode_));
    SetEclipsesMemo();
    emit eclipseListChanged();
}

void PlanetPage::setCaptions(const QString& planets, const QString& meteors,
                             const QString& eclipses) {
    planetGroup_->setTitle(planets);
    meteorGroup_->setTitle(meteors);
    eclipseGroup_->setTitle(eclipses);
}

void PlanetPage::setSiderealTime(const QString& text) {
    siderealPanel_->setText(text);
}

void PlanetPage::setDateFormats(const std::string& listPattern, const std::string& summaryPattern,
                                const DateLocale& names) {
    textMode_.datePattern = listPattern;
    textMode_.summaryDatePattern = summaryPattern;
    textMode_.names = names;
}

void PlanetPage::PlanetRadioGroupClick() {
    const bool surface = surfaceRadio_->isChecked();
    if (surface == settings_.EarthSurfaceCoords)
        return;
    settings_.EarthSurfaceCoords = surface;
    showPlanetLabels();
    if (lastLocal_ != 0)
        ShowPlanets(lastLocal_);
}

void PlanetPage::EclipseRadioGroupClick() {
    const bool summary = summaryRadio_->isChecked();
    if (summary == settings_.EclipseSummaryView)
        return;
    settings_.EclipseSummaryView = summary;
    SetEclipsesMemo();
}

void PlanetPage::SetEclipsesMemo() {
    eclipsesMemo_->setVisible(!settings_.EclipseSummaryView);
    if (!settings_.EclipseSummaryView)
        eclipsesMemo_->raise();
}

void PlanetPage::EclipseLabClick(int n) {
    if (n < 1 || n > static_cast<int>(listings_.size()))
        return;
    const DateTime utc = listings_[static_cast<std::size_t>(n - 1)].instant;
    const DateTime shown = UtcToShown(utc, textMode_.localTime);
    emit goToDate(std::floor(shown));
}

void PlanetPage::MeteorButClick(int n) {
    // The year of the eclipse group, which follows the selected date; before the first
    // eclipse refresh the year of the table's date.
    int year = year_;
    if (year == 0 && lastLocal_ != 0)
        year = DecodeDate(lastLocal_).year;
    const DateTime day = MeteorShowerDate(year, n);
    if (day != 0)
        emit goToDate(day);
}

} // namespace skelvane
