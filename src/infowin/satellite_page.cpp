#include "infowin/satellite_page.h"

#include "app/animation_timer.h"
#include "app/settings.h"
#include "astro/timezone.h"
#include "infowin/movie_player.h"
#include "infowin/movie_player_loader.h"
#include "net/decode/satellite_choices.h"
#include "net/decode/satellite_time_label.h"
#include "net/decode/web_links.h"
#include "net/download_state.h"
#include "net/satellite_download.h"
#include "net/satellite_movie_store.h"
#include "platform/clock.h"
#include "widgets/link_label.h"
#include "widgets/widget_factories.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace skelvane {

namespace {

// The movie panel: the size the coast movies are shown at.
constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 480;

std::unique_ptr<MoviePlayer> PluginPlayer(QWidget* panel, QString* error) {
    MoviePlayerFactory* factory = LoadMoviePlayerFactory(MoviePlayerPluginFolders(), error);
    return factory ? factory->createPlayer(panel, error) : nullptr;
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SatellitePage::SatellitePage(Settings& settings, DownloadState& downloads,
                             AnimationTimer& animation, const Clock& clock, QWidget* parent)
    : QWidget(parent), settings_(settings), downloads_(downloads), animation_(animation),
      clock_(clock), playerSource_(PluginPlayer), movieFolder_(SatelliteMovieFolder()) {
    setObjectName(QStringLiteral("SatelliteSheet"));
    steadyTimer_.start();
    buildControls();
    showControls();
    ShowSatelliteStaticScreen();
}

SatellitePage::~SatellitePage() {
    // The player's video widget lives in SatPanel: let the player go while the panel exists.
    player_.reset();
}

void SatellitePage::setPlayerSource(PlayerSource source) {
    playerSource_ = std::move(source);
}

void SatellitePage::setMovieFolder(const QString& folder) {
    movieFolder_ = folder;
}

void SatellitePage::setSteadyClock(std::function<double()> seconds) {
    steadyClock_ = std::move(seconds);
}

double SatellitePage::steadyNow() const {
    return steadyClock_ ? steadyClock_() : steadyTimer_.elapsed() / 1000.0;
}

void SatellitePage::buildControls() {
    SatelliteLocationBox = NamedList(this, QStringLiteral("SatelliteLocationBox"), {});
    for (const SatelliteLocation& location : SatelliteLocations())
        SatelliteLocationBox->addItem(Text(location.text));
    SatelliteLocationBox->setCurrentIndex(
        NormalizeSatelliteLocation(settings_.SatelliteLocationBoxIndex));
    SatelliteLocationBox->setMaxVisibleItems(16);
    SatelliteTypeBox = NamedList(this, QStringLiteral("SatelliteTypeBox"), {});
    fillTypeBox();
    SatelliteColorBox = NamedList(this, QStringLiteral("SatelliteColorBox"), {});
    for (std::string_view entry : SatelliteColorEntries())
        SatelliteColorBox->addItem(Text(entry));
    SatelliteColorBox->setCurrentIndex(NormalizeSatelliteColor(settings_.SatelliteColorBoxIndex));
    connect(SatelliteLocationBox, &QComboBox::activated, this,
            &SatellitePage::SatelliteLocationBoxSelect);
    connect(SatelliteTypeBox, &QComboBox::activated, this, &SatellitePage::SatelliteTypeBoxSelect);
    connect(SatelliteColorBox, &QComboBox::activated, this,
            &SatellitePage::SatelliteColorBoxSelect);

    AnimateSatelliteBox = new QCheckBox(QStringLiteral("Animate"), this);
    AnimateSatelliteBox->setObjectName(QStringLiteral("AnimateSatelliteBox"));
    AnimateSatelliteBox->setChecked(settings_.AnimateSatellite);
    connect(AnimateSatelliteBox, &QCheckBox::toggled, this,
            &SatellitePage::AnimateSatelliteBoxClick);
    RepeatSatelliteBox = new QCheckBox(QStringLiteral("Repeat"), this);
    RepeatSatelliteBox->setObjectName(QStringLiteral("RepeatSatelliteBox"));
    RepeatSatelliteBox->setChecked(settings_.RepeatSatellite);
    connect(RepeatSatelliteBox, &QCheckBox::toggled, this, &SatellitePage::RepeatSatelliteBoxClick);
    GetSatelliteBut =
        NamedPushButton(this, QStringLiteral("GetSatelliteBut"), QStringLiteral("Get Satellite"));
    connect(GetSatelliteBut, &QPushButton::clicked, this, &SatellitePage::GetSatelliteButClick);
    CopySatelliteBut =
        NamedPushButton(this, QStringLiteral("CopySatelliteBut"), QStringLiteral("Copy"));
    SaveSatelliteBut =
        NamedPushButton(this, QStringLiteral("SaveSatelliteBut"), QStringLiteral("Save"));
    PrintSatelliteBut =
        NamedPushButton(this, QStringLiteral("PrintSatelliteBut"), QStringLiteral("Print"));
    connect(CopySatelliteBut, &QPushButton::clicked, this, &SatellitePage::copyImageRequested);
    connect(SaveSatelliteBut, &QPushButton::clicked, this, &SatellitePage::saveImageRequested);
    connect(PrintSatelliteBut, &QPushButton::clicked, this, &SatellitePage::printImageRequested);

    MediaPlayer1 = new QWidget(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    auto* buttons = new QHBoxLayout(MediaPlayer1);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(1);
    const struct {
        const char* name;
        const char* caption;
        QStyle::StandardPixmap icon;
        MovieButton button;
    } kButtons[] = {
        {"Play", "Play", QStyle::SP_MediaPlay, MovieButton::Play},
        {"Stop", "Stop", QStyle::SP_MediaStop, MovieButton::Stop},
        {"Step", "Step", QStyle::SP_MediaSeekForward, MovieButton::Step},
        {"Back", "Back", QStyle::SP_MediaSeekBackward, MovieButton::Back},
    };
    for (std::size_t i = 0; i < mediaButtons_.size(); ++i) {
        auto* button = new QToolButton(MediaPlayer1);
        button->setObjectName(QStringLiteral("MediaPlayer1") + QLatin1String(kButtons[i].name));
        button->setIcon(style()->standardIcon(kButtons[i].icon));
        button->setToolTip(QLatin1String(kButtons[i].caption));
        button->setFocusPolicy(Qt::NoFocus);
        const MovieButton which = kButtons[i].button;
        connect(button, &QToolButton::clicked, this, [this, which] { MediaPlayer1Click(which); });
        buttons->addWidget(button);
        mediaButtons_[i] = button;
    }

    FrameNumLab = NamedLabel(this, QStringLiteral("FrameNumLab"));
    FrameNumLab->setMinimumWidth(70);
    LastSatelliteLab = NamedLabel(this, QStringLiteral("LastSatelliteLab"));
    MovieNoteLab = NamedLabel(this, QStringLiteral("MovieNoteLab"));
    MovieNoteLab->setStyleSheet(QStringLiteral("color: #800000;"));
    MovieNoteLab->hide();
    const auto fixedLinks = SatellitePageLinks();
    std::array<LinkLabel*, 2> labels{};
    for (std::size_t i = 0; i < fixedLinks.size(); ++i) {
        const QString address = QString::fromStdString(fixedLinks[i].address);
        labels[i] = NamedLink(this, Text(fixedLinks[i].control), this,
                              [this, address] { emit webAddressRequested(address); });
        labels[i]->setText(Text(fixedLinks[i].caption));
        labels[i]->setToolTip(Text(fixedLinks[i].hint));
    }
    NatHurricaneCenterLab = labels[0];
    NOAASatelliteLab = labels[1];

    SatelliteScrollBox = new QScrollArea(this);
    SatelliteScrollBox->setObjectName(QStringLiteral("SatelliteScrollBox"));
    SatelliteScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* holder = new QWidget;
    holder->setObjectName(QStringLiteral("SatelliteHolder"));
    auto* stack = new QVBoxLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSizeConstraint(QLayout::SetFixedSize);
    Image7 = NamedLabel(holder, QStringLiteral("Image7"));
    Image7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SatPanel = new QFrame(holder);
    SatPanel->setObjectName(QStringLiteral("SatPanel"));
    SatPanel->setFixedSize(kPanelWidth, kPanelHeight);
    SatPanel->setAutoFillBackground(true);
    QPalette black = SatPanel->palette();
    black.setColor(QPalette::Window, Qt::black);
    SatPanel->setPalette(black);
    stack->addWidget(Image7);
    stack->addWidget(SatPanel);
    SatelliteScrollBox->setWidget(holder);

    auto* choices = new QHBoxLayout;
    choices->setSpacing(6);
    choices->addWidget(SatelliteLocationBox);
    choices->addWidget(SatelliteTypeBox);
    choices->addWidget(SatelliteColorBox);
    choices->addWidget(AnimateSatelliteBox);
    choices->addWidget(RepeatSatelliteBox);
    choices->addWidget(GetSatelliteBut);
    choices->addStretch(1);
    auto* links = new QVBoxLayout;
    links->setSpacing(2);
    links->addWidget(NatHurricaneCenterLab, 0, Qt::AlignRight);
    links->addWidget(NOAASatelliteLab, 0, Qt::AlignRight);
    choices->addLayout(links);
    auto* status = new QHBoxLayout;
    status->setSpacing(8);
    status->addWidget(MediaPlayer1);
    status->addWidget(FrameNumLab);
    status->addWidget(LastSatelliteLab, 1);
    for (QPushButton* button : {CopySatelliteBut, SaveSatelliteBut, PrintSatelliteBut}) {
        // Narrow, so that the time label keeps its room.
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("Print")) +
                                20);
        status->addWidget(button);
    }
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->setSpacing(4);
    page->addLayout(choices);
    page->addLayout(status);
    page->addWidget(MovieNoteLab);
    page->addWidget(SatelliteScrollBox, 1);
}

void SatellitePage::fillTypeBox() {
    const int location = NormalizeSatelliteLocation(settings_.SatelliteLocationBoxIndex);
    const QSignalBlocker blocker(SatelliteTypeBox);
    SatelliteTypeBox->clear();
    for (std::string_view entry : SatelliteTypeEntries(location))
        SatelliteTypeBox->addItem(Text(entry));
    SatelliteTypeBox->setCurrentIndex(
        SatelliteTypeBoxShownIndex(location, settings_.SatelliteTypeBoxIndex));
}

void SatellitePage::showControls() {
    const SatelliteControlsShown shown =
        SatelliteControlsFor(settings_.SatelliteLocationBoxIndex, settings_.AnimateSatellite);
    SatelliteColorBox->setVisible(shown.colorBox);
    AnimateSatelliteBox->setVisible(shown.animateAndRepeat);
    RepeatSatelliteBox->setVisible(shown.animateAndRepeat);
    MediaPlayer1->setVisible(shown.moviePlayer);
}

void SatellitePage::SatelliteLocationBoxSelect(int index) {
    settings_.SatelliteLocationBoxIndex = index;
    if (SatelliteLocationBox->currentIndex() != index) {
        const QSignalBlocker blocker(SatelliteLocationBox);
        SatelliteLocationBox->setCurrentIndex(NormalizeSatelliteLocation(index));
    }
    // The type box loses "Water Vapor" on the full-disk views and gets it back elsewhere.
    fillTypeBox();
    showControls();
}

void SatellitePage::SatelliteTypeBoxSelect(int index) {
    settings_.SatelliteTypeBoxIndex = index;
}

void SatellitePage::SatelliteColorBoxSelect(int index) {
    settings_.SatelliteColorBoxIndex = index;
}

void SatellitePage::RepeatSatelliteBoxClick(bool checked) {
    settings_.RepeatSatellite = checked;
    updateTimer();
}

void SatellitePage::AnimateSatelliteBoxClick(bool checked) {
    settings_.AnimateSatellite = checked;
    SatelliteColorBox->setVisible(
        SatelliteControlsFor(settings_.SatelliteLocationBoxIndex, checked).colorBox);
    loop_.SetAnimate(checked);
    movie_.SetAnimate(checked);
    updateTimer();
}

void SatellitePage::updateTimer() {
    animation_.setRunning(AnimationTimer::Animation::Satellite,
                          SatelliteNeedsTimer(loop_, movie_, settings_.RepeatSatellite));
}

bool SatellitePage::ensurePlayer() {
    if (player_)
        return true;
    if (playerUnavailable_)
        return false;
    QString error;
    player_ = playerSource_ ? playerSource_(SatPanel, &error) : nullptr;
    if (!player_) {
        playerUnavailable_ = true;
        if (error.isEmpty())
            error = QStringLiteral("no movie player");
        showMovieNote(QStringLiteral("Movies are unavailable: %1.").arg(error));
        for (QToolButton* button : mediaButtons_)
            button->setEnabled(false);
        return false;
    }
    player_->setEndHandler([this] { MediaPlayer1Notify(); });
    return true;
}

void SatellitePage::showMovieNote(const QString& text) {
    MovieNoteLab->setText(text);
    MovieNoteLab->setToolTip(text);
    MovieNoteLab->setVisible(!text.isEmpty());
}

void SatellitePage::GetSatelliteButClick() {
    if (downloading_)
        return;
    SatelliteChoice choice;
    choice.location = settings_.SatelliteLocationBoxIndex;
    choice.type = settings_.SatelliteTypeBoxIndex;
    choice.color = settings_.SatelliteColorBoxIndex;
    choice.animate = settings_.AnimateSatellite;
    SatelliteRequest request = SatelliteRequestFor(choice);
    if (request.fetch == SatelliteFetch::Movie && !ensurePlayer()) {
        // Without a player the coast's still of the same picture is the next best thing.
        if (std::optional<SatelliteRequest> still =
                SatelliteRequestForCode(request.code, false, false))
            request = *still;
    }
    setEnabled(false);
    GetSatellite(request);
    setEnabled(true);
}

void SatellitePage::GetSatellite(const SatelliteRequest& request) {
    downloading_ = true;
    // A new download ends the previous movie or loop.
    loop_.Reset();
    movie_.Reset();
    stillShown_ = false;
    if (player_)
        player_->stop();
    updateTimer();
    if (!playerUnavailable_)
        showMovieNote(QString());

    SatelliteDownload download(downloads_, settings_.SatelliteServer);
    if (request.tropical) {
        GetTropicalAnim(download, request);
        downloading_ = false;
        return;
    }
    const SatelliteDownloadResult result = download.Run(request);
    if (downloads_.connectionRefused)
        downloads_.ShowConnectionRefused();
    if (!result.ok()) {
        // Nothing on the page changes and the time label stays.
        downloading_ = false;
        return;
    }
    if (request.movie) {
        keepMovie(request, result.body);
    } else {
        stillShown_ = true;
        showImage(result.still);
        ShowSatelliteStaticScreen();
        showTimeLabel();
    }
    downloading_ = false;
}

void SatellitePage::keepMovie(const SatelliteRequest& request, const QByteArray& body) {
    if (!ensurePlayer())
        return;
    // The earlier movie lets go of its file before the new one takes its place.
    player_->close();
    const StoredMovie stored =
        StoreSatelliteMovie(movieFolder_, QString::fromStdString(request.movieFile), body);
    if (!stored.ok()) {
        showMovieNote(QStringLiteral("The movie could not be kept: %1").arg(stored.error));
        ShowSatelliteStaticScreen();
        return;
    }
    if (!player_->open(stored.path)) {
        showMovieNote(
            QStringLiteral("The movie could not be opened: %1").arg(player_->errorString()));
        ShowSatelliteStaticScreen();
        return;
    }
    movieFile_ = stored.path;
    movie_.Opened();
    ShowSatelliteMovieScreen();
    StartSatelliteMovie();
    showTimeLabel();
}

void SatellitePage::GetTropicalAnim(SatelliteDownload& download, const SatelliteRequest& request) {
    stillShown_ = true;
    download.Run(request, [this](const SatelliteFrame& frame) {
        if (frame.slot < 0 || frame.slot >= SatelliteLoop::kSlots)
            return;
        loopSlots_[static_cast<std::size_t>(frame.slot)] = frame.image;
        loop_.FrameLoaded(frame.slot);
        // Each frame shows as it arrives; the next request lets the page paint it.
        showImage(frame.image);
        ShowSatelliteStaticScreen();
    });
    if (downloads_.connectionRefused)
        downloads_.ShowConnectionRefused();
    if (!loop_.loaded()) {
        // No list or no frame: the previous picture stays, the time label too.
        loop_.Reset();
        return;
    }
    showTimeLabel();
    loop_.DownloadFinished(settings_.RepeatSatellite);
    updateTimer();
}

void SatellitePage::showImage(const QImage& image) {
    shownImage_ = image;
    Image7->setPixmap(QPixmap::fromImage(image));
    Image7->adjustSize();
}

void SatellitePage::showTimeLabel() {
    const DateTime utc = clock_.nowUtc();
    const DateTime local = clock_.nowLocal();
    TimeZoneOffsetHours(utc);
    satelliteTime_ = local;
    LastSatelliteLab->setText(QString::fromStdString(SatelliteTimeLabel(
        utc, local, settings_.UseMilitaryTime, CurrentTimeZoneState().zoneName)));
}

void SatellitePage::ShowSatelliteMovieScreen() {
    MediaPlayer1->show();
    RepeatSatelliteBox->show();
    AnimateSatelliteBox->show();
    Image7->hide();
    SatPanel->raise();
    SatPanel->show();
}

void SatellitePage::ShowSatelliteStaticScreen() {
    const SatelliteControlsShown shown =
        SatelliteControlsFor(settings_.SatelliteLocationBoxIndex, settings_.AnimateSatellite);
    AnimateSatelliteBox->setVisible(shown.animateAndRepeat);
    RepeatSatelliteBox->setVisible(shown.animateAndRepeat);
    MediaPlayer1->setVisible(shown.moviePlayer);
    SatPanel->hide();
    Image7->raise();
    Image7->show();
}

void SatellitePage::setEnabledButtons(bool play, bool stop, bool step, bool back) {
    if (playerUnavailable_)
        return;
    mediaButtons_[0]->setEnabled(play);
    mediaButtons_[1]->setEnabled(stop);
    mediaButtons_[2]->setEnabled(step);
    mediaButtons_[3]->setEnabled(back);
}

void SatellitePage::StartSatelliteMovie() {
    FrameNumLab->clear();
    if (player_ && movie_.loaded()) {
        player_->stop();
        player_->seek(0);
    }
    setEnabledButtons(false, true, true, true);
    // The next tick plays at once.
    movie_.Start(steadyNow());
    loop_.Pause();
    updateTimer();
}

void SatellitePage::StopSatelliteMovie() {
    setEnabledButtons(true, false, true, true);
    movie_.Stop();
    updateTimer();
    if (player_)
        player_->stop();
}

void SatellitePage::MediaPlayer1Click(MovieButton button) {
    const bool open = player_ && movie_.loaded();
    const MovieButtonAction action =
        skelvane::MediaPlayer1Click(button, open ? player_->position() : 0,
                                    open ? player_->lastFrame() : -1, !SatPanel->isHidden());
    FrameNumLab->clear();
    if (action.checkAnimate)
        AnimateSatelliteBox->setChecked(true);
    if (action.startMovie)
        StartSatelliteMovie();
    if (action.stopMovie)
        StopSatelliteMovie();
    if (action.seekTo && open) {
        player_->seek(*action.seekTo);
        FrameNumLab->setText(QString::fromStdString(action.frameLabel));
    }
}

void SatellitePage::MediaPlayer1Notify() {
    movie_.PlayEnded(steadyNow());
    if (player_ &&
        MovieStopsAtEnd(settings_.RepeatSatellite, player_->position(), player_->lastFrame()))
        StopSatelliteMovie();
}

void SatellitePage::SatelliteSheetEnter() {
    if (movie_.loaded() && AnimateSatelliteBox->isChecked())
        StartSatelliteMovie();
    else
        loop_.Resume();
    updateTimer();
}

void SatellitePage::SatelliteSheetExit() {
    if (movie_.loaded() && AnimateSatelliteBox->isChecked())
        StopSatelliteMovie();
    loop_.Pause();
    updateTimer();
}

void SatellitePage::Timer2Step() {
    const bool panelShowing = !SatPanel->isHidden() && SatPanel->isVisible();
    const SatelliteTick tick =
        SatelliteTimerStep(loop_, movie_, settings_.RepeatSatellite, steadyNow(), panelShowing);
    if (tick.showSlot) {
        showImage(loopSlots_[static_cast<std::size_t>(*tick.showSlot)]);
        ShowSatelliteStaticScreen();
    }
    if (tick.playMovie && player_)
        player_->play();
}

} // namespace skelvane
