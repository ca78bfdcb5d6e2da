#include "infowin/radar_page.h"

#include "app/animation_timer.h"
#include "app/settings.h"
#include "astro/time_conversions.h"
#include "infowin/radar_map_view.h"
#include "net/decode/radar_frame_time.h"
#include "net/decode/radar_map_marks.h"
#include "net/decode/radar_views.h"
#include "net/decode/web_links.h"
#include "net/download_settings.h"
#include "net/download_state.h"
#include "net/event_loop_wait.h"
#include "net/gif_decoder.h"
#include "net/radar_compose.h"
#include "net/radar_thread.h"
#include "platform/clock.h"
#include "widgets/choice_group.h"
#include "widgets/link_label.h"
#include "widgets/widget_factories.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

const QColor kLoadingColour(255, 0, 0);
const QColor kTimeColour(0, 0, 0);

void SetTextColour(QLabel* label, const QColor& colour) {
    // A style sheet keeps the colour while the page is disabled during a download.
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
}

int ClampedView(int view) {
    return IsRadarView(view) ? view : kDefaultRadarView;
}

int ClampedProduct(int entry) {
    return entry >= 0 && entry < kRadarProductEntryCount ? entry : kDefaultRadarProductEntry;
}

// The direction buttons' places in the 3 × 3 grid around "Go", by direction 1 ... 8.
constexpr struct {
    int row, column;
    const char* arrow;
} kDirectionCells[8] = {{0, 1, "\u2191"}, {0, 2, "\u2197"}, {1, 2, "\u2192"}, {2, 2, "\u2198"},
                        {2, 1, "\u2193"}, {2, 0, "\u2199"}, {1, 0, "\u2190"}, {0, 0, "\u2196"}};

} // namespace

RadarPage::RadarPage(Settings& settings, const Clock& clock, AnimationTimer& animation,
                     DownloadState& downloads, QWidget* parent)
    : QWidget(parent), settings_(settings), clock_(clock), timer_(animation), downloads_(downloads),
      handover_(new QObject, [](QObject* object) { object->deleteLater(); }) {
    setObjectName(QStringLiteral("RadarSheet"));
    buildControls();
    loadSettings();
}

RadarPage::~RadarPage() = default;

QCheckBox* RadarPage::makeBox(QWidget* parent, const char* name, const char* caption,
                              bool Settings::*setting) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QLatin1String(name));
    connect(box, &QCheckBox::clicked, this, [this, setting](bool on) { settings_.*setting = on; });
    return box;
}

void RadarPage::buildControls() {
    RadarLocationBox = new QComboBox(this);
    RadarLocationBox->setObjectName(QStringLiteral("RadarLocationBox"));
    RadarLocationBox->setMaxVisibleItems(24);
    for (int view = 0; view < kRadarViewCount; ++view)
        RadarLocationBox->addItem(ToQString(RadarViewEntryText(view)));
    RadarLocationBox->setMinimumWidth(210);
    connect(RadarLocationBox, &QComboBox::activated, this, &RadarPage::RadarLocationBoxSelect);

    RadarReflectivityBox = new QComboBox(this);
    RadarReflectivityBox->setObjectName(QStringLiteral("RadarReflectivityBox"));
    for (int entry = 0; entry < kRadarProductEntryCount; ++entry)
        RadarReflectivityBox->addItem(ToQString(RadarProductEntryText(entry)));
    connect(RadarReflectivityBox, &QComboBox::activated, this,
            [this](int entry) { settings_.RadarReflectivityBoxIndex = entry; });

    GetRadarBut = NamedPushButton(this, QStringLiteral("GetRadarBut"), QStringLiteral("Get Radar"));
    MainUSABut = NamedPushButton(this, QStringLiteral("MainUSABut"), QStringLiteral("USA Map"));
    ZoomBut = NamedPushButton(this, QStringLiteral("ZoomBut"), QStringLiteral("Zoom In"));
    connect(GetRadarBut, &QPushButton::clicked, this, &RadarPage::GetRadarButClick);
    connect(MainUSABut, &QPushButton::clicked, this, &RadarPage::MainUSAButClick);
    connect(ZoomBut, &QPushButton::clicked, this, &RadarPage::ZoomButClick);

    LastRadarLab1 = NamedLabel(this, QStringLiteral("LastRadarLab1"));
    RadarImageNumLab = NamedLabel(this, QStringLiteral("RadarImageNumLab"));
    QFont strong = LastRadarLab1->font();
    strong.setBold(true);
    LastRadarLab1->setFont(strong);
    RadarImageNumLab->setFont(strong);
    RadarImageNumLab->setMinimumWidth(18);
    RadarInfoLab = NamedLink(this, QStringLiteral("RadarInfoLab"), this, [] {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(RadarInfoAddress())));
    });
    RadarInfoLab->setText(QStringLiteral("Radar Info"));
    GroundClutterLab = NamedLink(this, QStringLiteral("GroundClutterLab"), this, [] {
        QDesktopServices::openUrl(QUrl(QString::fromStdString(GroundClutterInfoAddress())));
    });
    GroundClutterLab->setText(QStringLiteral("Clutter Info"));

    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(RadarLocationBox);
    top->addWidget(RadarReflectivityBox);
    top->addWidget(GetRadarBut);
    top->addWidget(MainUSABut);
    top->addWidget(ZoomBut);
    top->addStretch(1);
    auto* second = new QHBoxLayout;
    second->setSpacing(6);
    second->addWidget(RadarImageNumLab);
    second->addWidget(LastRadarLab1, 1);
    second->addWidget(RadarInfoLab);
    second->addWidget(GroundClutterLab);

    RadarScrollBox = new QScrollArea(this);
    RadarScrollBox->setObjectName(QStringLiteral("RadarScrollBox"));
    RadarScrollBox->setWidgetResizable(false);
    RadarScrollBox->setBackgroundRole(QPalette::Dark);
    Image6 = new RadarMapView;
    Image6->setObjectName(QStringLiteral("Image6"));
    RadarScrollBox->setWidget(Image6);
    connect(Image6, &RadarMapView::mouseMoved, this, &RadarPage::Image6MouseMove);
    connect(Image6, &RadarMapView::mousePressed, this, &RadarPage::Image6MouseDown);
    // The warning labels lie over the top left of the map, whatever its scroll position.
    const char* const designCaptions[4] = {"Extreme Weather Warning", "Tornado Warning",
                                           "Severe Weather Warning", "Flash Flood Warning"};
    QFont warningFont(QStringLiteral("Arial"));
    warningFont.setPixelSize(32);
    warningFont.setBold(true);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QLatin1String(designCaptions[i]), RadarScrollBox);
        label->setObjectName(QStringLiteral("WarningLab%1").arg(i + 1));
        label->setFont(warningFont);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->move(8, 14 + 45 * i);
        label->setText(QString()); // blanked at start
        label->hide();
        WarningLab[static_cast<std::size_t>(i)] = label;
    }

    auto* middle = new QHBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(RadarScrollBox, 1);
    middle->addWidget(buildSidePanel());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(4);
    column->addLayout(top);
    column->addLayout(second);
    column->addLayout(middle, 1);
    column->addWidget(buildCoordinateRow());
}

QWidget* RadarPage::buildSidePanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("RadarControlPanel"));
    panel->setFixedWidth(128);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);

    TopoBox = makeBox(panel, "TopoBox", "Topo", &Settings::TopoBoxChecked);
    RadarBox = makeBox(panel, "RadarBox", "Radar", &Settings::RadarBoxChecked);
    CountiesBox = makeBox(panel, "CountiesBox", "Counties", &Settings::CountiesBoxChecked);
    RiversBox = makeBox(panel, "RiversBox", "Rivers", &Settings::RiversBoxChecked);
    HighwaysBox = makeBox(panel, "HighwaysBox", "Highways", &Settings::HighwaysBoxChecked);
    CitiesBox = makeBox(panel, "CitiesBox", "Cities", &Settings::CitiesBoxChecked);
    WarningsBox = makeBox(panel, "WarningsBox", "Warnings", &Settings::WarningsBoxChecked);
    RangeRingBox = makeBox(panel, "RangeRingBox", "Range Ring", &Settings::RangeRingBoxChecked);
    LegendBox = makeBox(panel, "LegendBox", "Legend", &Settings::LegendBoxChecked);
    WarningsTextBox = new QCheckBox(QStringLiteral("Warn Text"), panel);
    WarningsTextBox->setObjectName(QStringLiteral("WarningsTextBox"));
    connect(WarningsTextBox, &QCheckBox::clicked, this, &RadarPage::WarningsTextBoxClick);
    for (QCheckBox* box : {TopoBox, RadarBox, CountiesBox, RiversBox, HighwaysBox, CitiesBox,
                           WarningsBox, RangeRingBox, LegendBox, WarningsTextBox})
        column->addWidget(box);
    column->addSpacing(4);

    AnimateRadarBox = new QCheckBox(QStringLiteral("Animate"), panel);
    AnimateRadarBox->setObjectName(QStringLiteral("AnimateRadarBox"));
    RepeatRadarBox = new QCheckBox(QStringLiteral("Repeat"), panel);
    RepeatRadarBox->setObjectName(QStringLiteral("RepeatRadarBox"));
    connect(AnimateRadarBox, &QCheckBox::clicked, this, &RadarPage::AnimateRadarBoxClick);
    connect(RepeatRadarBox, &QCheckBox::clicked, this, &RadarPage::RepeatRadarBoxClick);
    column->addWidget(AnimateRadarBox);
    column->addWidget(RepeatRadarBox);

    LoopRadarBut = NamedPushButton(panel, QStringLiteral("LoopRadarBut"), QStringLiteral("ROCK"));
    PrevRadarImageBut =
        NamedPushButton(panel, QStringLiteral("PrevRadarImageBut"), QStringLiteral("REV"),
                        QStringLiteral("Previous Radar Image"));
    NextRadarImageBut = NamedPushButton(panel, QStringLiteral("NextRadarImageBut"),
                                        QStringLiteral("FWD"), QStringLiteral("Next Radar Image"));
    connect(LoopRadarBut, &QPushButton::clicked, this, &RadarPage::LoopRadarButClick);
    connect(PrevRadarImageBut, &QPushButton::clicked, this, &RadarPage::PrevRadarImageButClick);
    connect(NextRadarImageBut, &QPushButton::clicked, this, &RadarPage::NextRadarImage);
    auto* steps = new QHBoxLayout;
    steps->setSpacing(2);
    for (QPushButton* button : {LoopRadarBut, PrevRadarImageBut, NextRadarImageBut}) {
        button->setMinimumWidth(10);
        steps->addWidget(button);
    }
    column->addLayout(steps);

    MaxImagesUpDown = new QSpinBox(panel);
    MaxImagesUpDown->setObjectName(QStringLiteral("MaxImagesUpDown"));
    MaxImagesUpDown->setRange(kRadarMinFrames, kRadarMaxFrames);
    SpeedUpDown = new QSpinBox(panel);
    SpeedUpDown->setObjectName(QStringLiteral("SpeedUpDown"));
    SpeedUpDown->setRange(1, 99);
    connect(MaxImagesUpDown, &QSpinBox::valueChanged, this, &RadarPage::MaxImagesUpDownClick);
    connect(SpeedUpDown, &QSpinBox::valueChanged, this, &RadarPage::SpeedUpDownClick);
    auto* spins = new QGridLayout;
    spins->setVerticalSpacing(1);
    spins->addWidget(NamedLabel(panel, QString(), QStringLiteral("Frames:")), 0, 0);
    spins->addWidget(MaxImagesUpDown, 0, 1);
    spins->addWidget(NamedLabel(panel, QString(), QStringLiteral("Speed:")), 1, 0);
    spins->addWidget(SpeedUpDown, 1, 1);
    column->addLayout(spins);
    column->addSpacing(4);

    ShowSitesBox = new QCheckBox(QStringLiteral("Tiny Circles"), panel);
    ShowSitesBox->setObjectName(QStringLiteral("ShowSitesBox"));
    connect(ShowSitesBox, &QCheckBox::clicked, this,
            [this](bool on) { settings_.ShowSitesBoxChecked = on; });
    RadarHintsBox = new QCheckBox(QStringLiteral("Hints"), panel);
    RadarHintsBox->setObjectName(QStringLiteral("RadarHintsBox"));
    connect(RadarHintsBox, &QCheckBox::clicked, this, &RadarPage::RadarHintsBoxClick);
    column->addWidget(ShowSitesBox);
    column->addWidget(RadarHintsBox);

    QGroupBox* group =
        MakeChoiceGroup(panel, QStringLiteral("LeftClickGroup"), MoveRadarRadio,
                        QStringLiteral("Move Radar"), DistanceRadio, QStringLiteral("Distance"));
    group->setTitle(QStringLiteral(" Left Click "));
    connect(MoveRadarRadio, &QRadioButton::clicked, this, [this] { LeftClickGroupClick(0); });
    connect(DistanceRadio, &QRadioButton::clicked, this, [this] { LeftClickGroupClick(1); });
    MilesLab = NamedLabel(group, QStringLiteral("MilesLab"));
    KMLab = NamedLabel(group, QStringLiteral("KMLab"));
    // The measured distance shows under the two choices.
    if (auto* groupLayout = qobject_cast<QVBoxLayout*>(group->layout())) {
        groupLayout->addWidget(MilesLab);
        groupLayout->addWidget(KMLab);
    }
    column->addWidget(group);

    RadarButPanel = new QFrame(panel);
    RadarButPanel->setObjectName(QStringLiteral("RadarButPanel"));
    RadarButPanel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(RadarButPanel);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(1);
    for (int d = 1; d <= 8; ++d) {
        auto* button = new QToolButton(RadarButPanel);
        button->setObjectName(QStringLiteral("RadBut%1").arg(d));
        button->setText(QString::fromUtf8(kDirectionCells[d - 1].arrow));
        button->setFixedSize(26, 22);
        button->setProperty("tag", d);
        connect(button, &QToolButton::clicked, this, [this, d] { QuadButClick(d); });
        grid->addWidget(button, kDirectionCells[d - 1].row, kDirectionCells[d - 1].column);
        RadBut[static_cast<std::size_t>(d - 1)] = button;
    }
    QLabel* go = NamedLabel(RadarButPanel, QStringLiteral("GoLab"), QStringLiteral("Go"));
    go->setAlignment(Qt::AlignCenter);
    grid->addWidget(go, 1, 1);
    column->addWidget(RadarButPanel);

    // The image commands, under the map's controls.
    CopyRadarBut = NamedPushButton(panel, QStringLiteral("CopyRadarBut"), QStringLiteral("Copy"));
    SaveRadarBut = NamedPushButton(panel, QStringLiteral("SaveRadarBut"), QStringLiteral("Save"));
    PrintRadarBut =
        NamedPushButton(panel, QStringLiteral("PrintRadarBut"), QStringLiteral("Print"));
    connect(CopyRadarBut, &QPushButton::clicked, this, &RadarPage::copyImageRequested);
    connect(SaveRadarBut, &QPushButton::clicked, this, &RadarPage::saveImageRequested);
    connect(PrintRadarBut, &QPushButton::clicked, this, &RadarPage::printImageRequested);
    auto* keep = new QHBoxLayout;
    keep->setSpacing(2);
    for (QPushButton* button : {CopyRadarBut, SaveRadarBut, PrintRadarBut}) {
        button->setMinimumWidth(10);
        keep->addWidget(button);
    }
    column->addSpacing(6);
    column->addLayout(keep);
    column->addStretch(1);
    return panel;
}

QWidget* RadarPage::buildCoordinateRow() {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(6);
    SiteNameLab = NamedLabel(row, QStringLiteral("SiteNameLab"));
    QFont strong = SiteNameLab->font();
    strong.setBold(true);
    SiteNameLab->setFont(strong);
    SiteNameLab->setMinimumWidth(190);
    line->addWidget(SiteNameLab);
    const char* const captions[2] = {"Lon:", "Lat:"};
    for (int axis = 0; axis < 2; ++axis) {
        std::array<QLabel*, 3>& labels = axis == 0 ? LonLab : LatLab;
        for (int i = 0; i < 3; ++i) {
            labels[static_cast<std::size_t>(i)] =
                NamedLabel(row, QStringLiteral("%1Lab%2").arg(axis == 0 ? "Lon" : "Lat").arg(i + 1),
                           i == 0 ? QLatin1String(captions[axis]) : QString());
            labels[static_cast<std::size_t>(i)]->setMinimumWidth(i == 0 ? 0 : 80);
            line->addWidget(labels[static_cast<std::size_t>(i)]);
        }
    }
    line->addStretch(1);
    return row;
}

void RadarPage::loadSettings() {
    const int view = ClampedView(settings_.RadarLocationBoxIndex);
    settings_.RadarLocationBoxIndex = view;
    settings_.RadarReflectivityBoxIndex = ClampedProduct(settings_.RadarReflectivityBoxIndex);
    settings_.StateMaxImages =
        std::clamp(settings_.StateMaxImages, kRadarMinFrames, kRadarMaxFrames);
    settings_.NationalMaxImages =
        std::clamp(settings_.NationalMaxImages, kRadarMinFrames, kRadarMaxFrames);
    settings_.SpeedUpDownPosition = std::clamp(settings_.SpeedUpDownPosition, 1, 99);
    if (settings_.LeftClickGroupIndex != kRadarDistanceMode)
        settings_.LeftClickGroupIndex = kRadarMoveRadarMode;

    const QSignalBlocker location(RadarLocationBox), product(RadarReflectivityBox),
        frames(MaxImagesUpDown), speed(SpeedUpDown);
    RadarLocationBox->setCurrentIndex(view);
    RadarReflectivityBox->setCurrentIndex(settings_.RadarReflectivityBoxIndex);
    const std::pair<QCheckBox*, bool> boxes[] = {
        {TopoBox, settings_.TopoBoxChecked},
        {RadarBox, settings_.RadarBoxChecked},
        {CountiesBox, settings_.CountiesBoxChecked},
        {RiversBox, settings_.RiversBoxChecked},
        {HighwaysBox, settings_.HighwaysBoxChecked},
        {CitiesBox, settings_.CitiesBoxChecked},
        {WarningsBox, settings_.WarningsBoxChecked},
        {RangeRingBox, settings_.RangeRingBoxChecked},
        {LegendBox, settings_.LegendBoxChecked},
        {WarningsTextBox, settings_.WarningsTextBoxChecked},
        {AnimateRadarBox, settings_.AnimateRadar},
        {RepeatRadarBox, settings_.RepeatRadar},
        {ShowSitesBox, settings_.ShowSitesBoxChecked},
        {RadarHintsBox, settings_.RadarHintsBoxChecked},
    };
    for (const auto& [box, checked] : boxes)
        box->setChecked(checked);
    (settings_.LeftClickGroupIndex == kRadarDistanceMode ? DistanceRadio : MoveRadarRadio)
        ->setChecked(true);
    animation_.LoadSettings(settings_.AnimateRadar, settings_.RepeatRadar, settings_.LoopRadar);
    LoopRadarBut->setText(ToQString(animation_.LoopButtonCaption()));
    const int desired =
        DesiredFrameCountForView(view, settings_.StateMaxImages, settings_.NationalMaxImages);
    animation_.MaxImagesChanged(desired);
    MaxImagesUpDown->setValue(desired);
    // The speed shows; the timer keeps its interval until the control is used.
    SpeedUpDown->setValue(settings_.SpeedUpDownPosition);
    SetRadarControlVisibility(view, true);
    const RadarMapSize size = GetMapSize(view);
    ShowLonLatName(std::string(RadarViewName(view)),
                   WHToLonLat(size.width, size.height,
                              GetScaleLonLat(view, settings_.RadarReflectivityBoxIndex)));
    RadarHintsBoxClick(settings_.RadarHintsBoxChecked);
}

QString RadarPage::viewName() const {
    const int view = downloadView_ >= 0 ? downloadView_ : settings_.RadarLocationBoxIndex;
    return ToQString(RadarViewName(view));
}

QImage RadarPage::displayedPicture() const {
    return radarShown_ ? Image6->picture() : QImage();
}

DateTime RadarPage::downloadTimeLocal() const {
    return downloadTimeUtc_ == 0 ? 0 : UtcToLocal(downloadTimeUtc_);
}

std::vector<RadarCircleMark> RadarPage::circles(int view) const {
    if (!settings_.ShowSitesBoxChecked)
        return {};
    return BuildSmallMapCenterArray(view, settings_.RadarReflectivityBoxIndex, zoom_,
                                    settings_.Latitude, settings_.Longitude);
}

// ---- Downloads ----

void RadarPage::GetRadarButClick() {
    if (busy_)
        return;
    animation_.GetRadarPressed();
    updateTimer();
    const int view = ClampedView(settings_.RadarLocationBoxIndex);
    const std::string product(GetRadarType(ClampedProduct(settings_.RadarReflectivityBoxIndex)));
    if (IsRadarSiteView(view))
        GetRadar(view, product, settings_.AnimateRadar, RadarSiteIdUpper(view));
    else
        GetRadarNational(view, settings_.AnimateRadar);
}

void RadarPage::MainUSAButClick() {
    selectView(kRadarUsaSmallView);
    RadarLocationBoxSelect(kRadarUsaSmallView);
    GetRadarButClick();
}

void RadarPage::ZoomButClick() {
    const std::optional<double> zoom = ToggledRadarZoom(settings_.RadarLocationBoxIndex, zoom_);
    if (!zoom)
        return;
    zoom_ = *zoom;
    ZoomBut->setText(ToQString(RadarZoomButtonCaption(zoom_)));
    GetRadarButClick();
}

void RadarPage::GetRadar(int view, const std::string& product, bool animate,
                         const std::string& site) {
    RadarSiteRequest request;
    request.view = view;
    request.productEntry = ClampedProduct(settings_.RadarReflectivityBoxIndex);
    request.product = product;
    request.site = site;
    request.animate = animate;
    request.layers = RadarLayerChoicesFromSettings(settings_);
    request.layers.warnText = WarningsTextBox->isChecked();
    request.desiredFrames = animation_.desiredFrameCount();
    request.activeHost = activeHost_;
    request.zoom = zoom_;
    request.tinyCircles = settings_.ShowSitesBoxChecked;
    request.homeLatitude = settings_.Latitude;
    request.homeLongitude = settings_.Longitude;
    request.servers = RadarServersFromSettings(settings_);
    request.proxy = ProxyInForce(settings_);
    request.movedLayouts = MovedLayoutsFromSetting(settings_.MovedServerLayouts.toStdString());
    download_ = request;
    downloadView_ = view;
    busy_ = true;
    auto* thread = new TMyThread2(handover_, QPointer<QObject>(this), this, std::move(request),
                                  downloads_.limits());
    thread->start();
}

bool RadarPage::GetRadarNational(int view, bool animate) {
    busy_ = true;
    downloads_.SetProxyServer();
    setEnabled(false);
    downloadView_ = view;
    if (view == kRadarUsaLargeView) {
        zoom_ = 1.0;
        ZoomBut->setText(ToQString(RadarZoomButtonCaption(zoom_)));
        ZoomBut->hide();
    }
    prepare(view);

    const QString host = settings_.RadarServerAlternative2;
    const QString path = QString::fromStdString(RadarMosaicPath(view, animate));
    GifAnimation gif;
    QByteArray body;
    bool ok = false;
    RunKeepingEventsRunning([&] { ok = downloads_.GetGIF(host, path, gif, &body); });
    if (ok) {
        const int loopFrames = static_cast<int>(gif.frames.size());
        animationGif_.setFile(body, loopFrames);
        animationGifReady_ = true;
        const RadarMapSize size{static_cast<int>(std::nearbyint(gif.screen.width() * zoom_)),
                                static_cast<int>(std::nearbyint(gif.screen.height() * zoom_))};
        Image6->showBlack(QSize(size.width, size.height));
        const std::vector<RadarCircleMark> marks = circles(view);
        if (animate && loopFrames > 1) {
            const int count = MosaicFrameCount(animation_.desiredFrameCount(), loopFrames);
            settings_.NationalMaxImages = count;
            {
                const QSignalBlocker blocker(MaxImagesUpDown);
                MaxImagesUpDown->setValue(count);
            }
            animation_.SetFrameCount(count);
            QImage working(gif.screen, QImage::Format_RGB32);
            working.fill(Qt::black);
            for (int i = 0; i < count; ++i) {
                LastRadarLab1->setText(QStringLiteral("Loading %1").arg(i + 1));
                {
                    // The loop's frames build on each other: no clearing in between.
                    QPainter painter(&working);
                    painter.drawImage(0, 0, gif.frames[static_cast<std::size_t>(i)].image);
                }
                const QImage picture = MosaicPicture(working, size, marks);
                Image6->setPicture(picture);
                waitKeepingEvents(mosaicFrameWaitMs_);
                frames_[static_cast<std::size_t>(i)] = picture;
            }
            animation_.ResetPosition();
            animation_.FramesComplete();
            updateTimer();
        } else {
            Image6->setPicture(MosaicPicture(gif.frames.front().image, size, marks));
        }
        downloadTimeUtc_ = clock_.nowUtc();
        ShowRadarTime(animation_.frameCount() - 1, viewName() + QStringLiteral("   "), true,
                      kTimeColour);
        radarShown_ = true;
    }
    if (zoom_ > 1)
        scrollToQuarter();
    setEnabled(true);
    busy_ = false;
    emit downloadFinished();
    return ok;
}

void RadarPage::waitKeepingEvents(int milliseconds) {
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void RadarPage::prepare(int view) {
    if (view < 0)
        return;
    radarShown_ = false;
    animation_.PrepareDownload();
    updateTimer();
    animationGifReady_ = false;
    SetRadarControlVisibility(view, true);
    SetRadarImageSize(view);
    warnings_ = {};
    for (QLabel* label : WarningLab) {
        label->setText(QString());
        label->hide();
    }
    SetTextColour(LastRadarLab1, kLoadingColour);
    LastRadarLab1->setText(QStringLiteral("Loading Radar  ") + ToQString(RadarViewName(view)));
    LastRadarLab1->show();
    RadarImageNumLab->setText(QString());
    radarFrameNames_.clear();
    const RadarMapSize size = GetMapSize(view);
    ShowLonLatName(std::string(RadarViewName(view)),
                   WHToLonLat(size.width, size.height,
                              GetScaleLonLat(view, settings_.RadarReflectivityBoxIndex)));
}

void RadarPage::SetRadarImageSize(int view) {
    const RadarMapSize size = ScaledMapSize(view, zoom_);
    Image6->showBlack(QSize(size.width, size.height));
    // Frames not yet composed show black at the map's size.
    for (QImage& frame : frames_)
        frame = QImage();
    RadarScrollBox->horizontalScrollBar()->setValue(0);
}

void RadarPage::scrollToQuarter() {
    RadarScrollBox->horizontalScrollBar()->setValue(Image6->width() / 4);
    RadarScrollBox->verticalScrollBar()->setValue(Image6->height() / 4);
}

// ---- The hand-over steps of a site download ----

void RadarPage::RunStarted() {
    setEnabled(false);
}

void RadarPage::RunEnded() {
    busy_ = false;
    setEnabled(true);
    emit downloadFinished();
}

void RadarPage::PrepRadar() {
    prepare(download_.view);
}

void RadarPage::FrameCountFixed(int count) {
    animation_.SetFrameCount(count);
    settings_.StateMaxImages = animation_.frameCount();
    MaxImagesUpDown->setValue(animation_.frameCount());
}

void RadarPage::ActiveHostChanged(RadarHost host) {
    activeHost_ = host;
}

void RadarPage::FrameListsRead(const RadarFrameLists& lists) {
    radarFrameNames_ = lists.radar;
}

void RadarPage::ConnectionRefused() {
    downloads_.connectionRefused = true;
    downloads_.ShowConnectionRefused();
}

void RadarPage::AnimationCleared() {
    animationGif_.clear();
    animationGifReady_ = false;
    lastAppendedFrame_ = -1;
}

void RadarPage::FrameLoading(int index) {
    RadarImageNumLab->setText(ToQString(RadarFrameNumberText(index)));
    ShowRadarTime(index,
                  QStringLiteral("Loading %1").arg(index + 1) + QString(14, QLatin1Char(' ')), true,
                  kLoadingColour);
}

void RadarPage::ShowRadarFrame(int index, const RadarComposedFrame& frame) {
    Image6->setPicture(frame.picture);
    if (index >= 0 && index < static_cast<int>(frames_.size()))
        frames_[static_cast<std::size_t>(index)] = frame.picture;
    if (frame.warnings) {
        warnings_.extremeWeather |= frame.warnings->extremeWeather;
        warnings_.tornado |= frame.warnings->tornado;
        warnings_.severeWeather |= frame.warnings->severeWeather;
        warnings_.flashFlood |= frame.warnings->flashFlood;
    }
    if (download_.animate) {
        animationGif_.appendFrame(frame.picture);
        lastAppendedFrame_ = index;
    }
}

void RadarPage::DownloadSucceeded(const RadarSiteOutcome&) {
    downloadTimeUtc_ = clock_.nowUtc();
    if (download_.animate && lastAppendedFrame_ > 0)
        animationGifReady_ = true;
    ShowRadarTime(animation_.frameCount() - 1, viewName() + QStringLiteral("   "), true,
                  kTimeColour);
    if ((download_.layers.warnings || download_.layers.warnText) && warnings_.any())
        fillWarningLabels();
    if (download_.animate) {
        animation_.FramesComplete();
        updateTimer();
    }
    if (WarningsTextBox->isChecked())
        ShowWarnings();
}

void RadarPage::DownloadEnded(const RadarSiteOutcome& outcome) {
    radarShown_ = outcome.radarShown;
    animation_.ResetPosition();
    SetLonLatVis(true);
    if (zoom_ > 1)
        scrollToQuarter();
}

// ---- Labels ----

void RadarPage::ShowRadarTime(int index, const QString& text, bool show, const QColor& colour) {
    LastRadarLab1->setVisible(show);
    if (!show)
        return;
    SetTextColour(LastRadarLab1, colour);
    const DateTime frameUtc = RadarFrameTimeUtc(radarFrameNames_, index, downloadTimeUtc_);
    LastRadarLab1->setText(
        ToQString(RadarTimeLabelText(text.toStdString(), frameUtc, UtcToLocal(frameUtc),
                                     clock_.nowLocal(), settings_.UseMilitaryTime)));
}

void RadarPage::ShowLonLatName(const std::string& name, LonLat point) {
    const QString separator = QLocale().decimalPoint();
    const RadarLonLatTexts texts = RadarLonLatLabelTexts(
        name, point, separator.isEmpty() ? '.' : separator.front().toLatin1());
    SiteNameLab->setText(ToQString(texts.siteName));
    if (texts.longitudeDecimal) {
        LonLab[1]->setText(ToQString(*texts.longitudeDecimal));
        LonLab[2]->setText(ToQString(*texts.longitudeDms));
    }
    if (texts.latitudeDecimal) {
        LatLab[1]->setText(ToQString(*texts.latitudeDecimal));
        LatLab[2]->setText(ToQString(*texts.latitudeDms));
    }
}

void RadarPage::SetLonLatVis(bool visible) {
    SiteNameLab->hide();
    for (QLabel* label : LonLab)
        label->setVisible(visible);
    for (QLabel* label : LatLab)
        label->setVisible(visible);
    SiteNameLab->setVisible(visible);
}

void RadarPage::fillWarningLabels() {
    const std::vector<std::string> texts = WarningLabelTexts(warnings_);
    for (std::size_t i = 0; i < WarningLab.size(); ++i) {
        QLabel* label = WarningLab[i];
        label->hide();
        if (i >= texts.size()) {
            label->setText(QString());
            continue;
        }
        label->setText(ToQString(texts[i]));
        if (const std::optional<RgbColour> colour = WarningLabelColour(texts[i]))
            SetTextColour(label, QColor(colour->red, colour->green, colour->blue));
        label->adjustSize();
    }
}

void RadarPage::ShowWarnings() {
    for (QLabel* label : WarningLab)
        if (!label->text().isEmpty()) {
            label->show();
            label->raise();
        }
}

void RadarPage::hideWarnings() {
    for (QLabel* label : WarningLab)
        label->hide();
}

// ---- The view and the map ----

void RadarPage::selectView(int view) {
    const QSignalBlocker blocker(RadarLocationBox);
    RadarLocationBox->setCurrentIndex(view);
    settings_.RadarLocationBoxIndex = view;
}

void RadarPage::RadarLocationBoxSelect(int view) {
    if (!IsRadarView(view))
        return;
    settings_.RadarLocationBoxIndex = view;
    SetRadarControlVisibility(view, false);
    const int desired =
        DesiredFrameCountForView(view, settings_.StateMaxImages, settings_.NationalMaxImages);
    animation_.MaxImagesChanged(desired);
    const QSignalBlocker blocker(MaxImagesUpDown);
    MaxImagesUpDown->setValue(desired);
}

void RadarPage::SetRadarControlVisibility(int view, bool withDirectionButtons) {
    const RadarControlVisibility shown = RadarControlVisibilityFor(view);
    ZoomBut->setVisible(shown.zoomButton);
    RadarReflectivityBox->setVisible(shown.productAndLayers);
    for (QCheckBox* box : {TopoBox, RadarBox, CountiesBox, RiversBox, HighwaysBox, CitiesBox,
                           WarningsBox, RangeRingBox, LegendBox, WarningsTextBox})
        box->setVisible(shown.productAndLayers);
    SetLonLatVis(shown.coordinateLabels);
    if (!withDirectionButtons)
        return;
    panel_ = SetupRadarDirectionPanel(view, settings_.RadarReflectivityBoxIndex);
    RadarButPanel->setVisible(panel_.visible);
    for (std::size_t i = 0; i < RadBut.size(); ++i) {
        const RadarDirectionButton& button = panel_.buttons[i];
        RadBut[i]->setVisible(button.visible);
        RadBut[i]->setToolTip(settings_.RadarHintsBoxChecked ? ToQString(button.hint) : QString());
    }
}

void RadarPage::QuadButClick(int direction) {
    const int view = settings_.RadarLocationBoxIndex;
    const std::optional<int> target =
        RadarDirectionTarget(view, direction, settings_.RadarReflectivityBoxIndex);
    if (!target)
        return;
    SiteNameLab->setText(ToQString(RadarViewEntryText(*target)));
    selectView(*target);
    RadarLocationBoxSelect(*target);
    GetRadarButClick();
}

void RadarPage::Image6MouseMove(QPoint at) {
    const RadarMapContext context{settings_.RadarLocationBoxIndex,
                                  settings_.RadarReflectivityBoxIndex, zoom_, busy_,
                                  settings_.LeftClickGroupIndex};
    const RadarMouseMove move = mouse_.MouseMove(at.x(), at.y(), context);
    if (!move.handled)
        return;
    ShowLonLatName(move.siteName, move.point);
    if (move.hint && settings_.RadarHintsBoxChecked)
        Image6->showHintAt(ToQString(move.hint->text), QPoint(move.hint->x, move.hint->y));
}

void RadarPage::Image6MouseDown(Qt::MouseButton button, QPoint at) {
    const RadarMapContext context{settings_.RadarLocationBoxIndex,
                                  settings_.RadarReflectivityBoxIndex, zoom_, busy_,
                                  settings_.LeftClickGroupIndex};
    const RadarMouseClick click =
        mouse_.MouseDown(button == Qt::LeftButton, at.x(), at.y(), context);
    switch (click.action) {
    case RadarMouseClick::Action::None:
        return;
    case RadarMouseClick::Action::MoveToView:
        SiteNameLab->setText(ToQString(click.siteName));
        selectView(click.targetView);
        RadarLocationBoxSelect(click.targetView);
        GetRadarButClick();
        return;
    case RadarMouseClick::Action::DistanceStart:
    case RadarMouseClick::Action::DistanceBlank:
        MilesLab->setText(QString());
        KMLab->setText(QString());
        Image6->showHintAt(QString(), QPoint());
        return;
    case RadarMouseClick::Action::DistanceShown:
        MilesLab->setText(ToQString(click.milesText));
        KMLab->setText(ToQString(click.kilometresText));
        if (click.hint)
            Image6->showHintAt(ToQString(click.hint->text), QPoint(click.hint->x, click.hint->y));
        return;
    }
}

void RadarPage::LeftClickGroupClick(int choice) {
    settings_.LeftClickGroupIndex =
        choice == kRadarDistanceMode ? kRadarDistanceMode : kRadarMoveRadarMode;
    Image6->showHintAt(QString(), QPoint());
}

void RadarPage::RadarHintsBoxClick(bool checked) {
    settings_.RadarHintsBoxChecked = checked;
    if (!checked)
        Image6->showHintAt(QString(), QPoint());
    for (std::size_t i = 0; i < RadBut.size(); ++i)
        RadBut[i]->setToolTip(checked ? ToQString(panel_.buttons[i].hint) : QString());
}

void RadarPage::WarningsTextBoxClick(bool checked) {
    settings_.WarningsTextBoxChecked = checked;
    if (checked)
        ShowWarnings();
    else
        hideWarnings();
}

// ---- The animation ----

void RadarPage::showFrame(int index) {
    const QImage& frame = frames_[static_cast<std::size_t>(index)];
    if (frame.isNull())
        Image6->showBlack(Image6->size());
    else
        Image6->setPicture(frame);
    RadarImageNumLab->setText(ToQString(RadarFrameNumberText(index)));
}

void RadarPage::apply(const RadarAnimationEffect& effect) {
    if (effect.frame >= 0 && effect.frame < static_cast<int>(frames_.size())) {
        if (effect.kind == RadarAnimationEffect::Kind::DrawFrame) {
            showFrame(effect.frame);
        } else if (effect.kind == RadarAnimationEffect::Kind::ShowImage) {
            showFrame(effect.frame);
            ShowRadarTime(effect.frame, viewName() + QStringLiteral("   "), true, kTimeColour);
        }
    }
    if (effect.showWarnings)
        ShowWarnings();
    if (effect.hideWarnings)
        hideWarnings();
}

void RadarPage::updateTimer() {
    timer_.setRunning(AnimationTimer::Animation::Radar,
                      animation_.animationEnabled() && animation_.framesReady());
}

void RadarPage::animateStep() {
    apply(animation_.Tick(busy_, isVisible(), WarningsTextBox->isChecked()));
}

void RadarPage::AnimateRadarBoxClick(bool checked) {
    settings_.AnimateRadar = checked;
    apply(animation_.AnimateBoxChanged(checked));
}

void RadarPage::RepeatRadarBoxClick(bool checked) {
    settings_.RepeatRadar = checked;
    apply(animation_.RepeatBoxChanged(checked));
}

void RadarPage::LoopRadarButClick() {
    animation_.LoopButtonClicked();
    settings_.LoopRadar = animation_.loop();
    settings_.AnimateRadar = animation_.animate();
    settings_.RepeatRadar = animation_.repeat();
    const QSignalBlocker animate(AnimateRadarBox), repeat(RepeatRadarBox);
    AnimateRadarBox->setChecked(animation_.animate());
    RepeatRadarBox->setChecked(animation_.repeat());
    LoopRadarBut->setText(ToQString(animation_.LoopButtonCaption()));
}

void RadarPage::NextRadarImage() {
    const RadarAnimationEffect effect = animation_.NextRadarImage();
    settings_.AnimateRadar = animation_.animate();
    {
        const QSignalBlocker blocker(AnimateRadarBox);
        AnimateRadarBox->setChecked(animation_.animate());
    }
    apply(effect);
}

void RadarPage::PrevRadarImageButClick() {
    const RadarAnimationEffect effect = animation_.PrevRadarImage();
    settings_.AnimateRadar = animation_.animate();
    {
        const QSignalBlocker blocker(AnimateRadarBox);
        AnimateRadarBox->setChecked(animation_.animate());
    }
    apply(effect);
}

void RadarPage::MaxImagesUpDownClick(int position) {
    animation_.MaxImagesChanged(position);
}

void RadarPage::SpeedUpDownClick(int position) {
    settings_.SpeedUpDownPosition = std::clamp(position, 1, 99);
    timer_.setInterval(RadarTimerInterval(settings_.SpeedUpDownPosition));
}

void RadarPage::RadarSheetEnter() {
    animation_.SheetEnter();
    updateTimer();
}

void RadarPage::RadarSheetExit() {
    animation_.SheetExit();
    updateTimer();
}

void RadarPage::refreshTimeLabel() {
    if (busy_ || !radarShown_ || animation_.manualStep())
        return;
    ShowRadarTime(animation_.frameCount() - 1, viewName() + QStringLiteral(" "), true, kTimeColour);
}

void RadarPage::startTask() {
    selectView(ClampedView(settings_.RadarLocationBoxIndex));
    RadarLocationBoxSelect(settings_.RadarLocationBoxIndex);
    GetRadarButClick();
}

QImage RadarPage::frame(int index) const {
    if (index < 0 || index >= static_cast<int>(frames_.size()))
        return {};
    return frames_[static_cast<std::size_t>(index)];
}

} // namespace skelvane
