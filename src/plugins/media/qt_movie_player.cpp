#include "plugins/media/qt_movie_player.h"

#include "plugins/media/frame_image.h"
#include "plugins/media/movie_frame_view.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoSink>
#include <algorithm>
#include <cmath>

namespace skelvane {

namespace {

constexpr int kOpenWaitMs = 5000;
constexpr int kFirstFrameWaitMs = 3000;
// A seek plays on unseen from its key frame at this rate; key frames of the server's movies
// lie a second or so apart.
constexpr double kSeekRate = 8.0;
// How long a seek may wait for its first frame before it starts once more.
constexpr int kSeekWatchMs = 600;
// How far before the end (less the start offset) a seek may ask the backend for a time.
constexpr qint64 kSeekEndMarginMs = 200;

} // namespace

QtMoviePlayer::QtMoviePlayer(QWidget* panel) {
    video_ = new MovieFrameView(panel);
    video_->setObjectName(QStringLiteral("MovieVideo"));
    auto* layout = qobject_cast<QVBoxLayout*>(panel->layout());
    if (!layout) {
        layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(video_);
    video_->show();
    seekWatch_ = new QTimer(this);
    seekWatch_->setSingleShot(true);
    seekWatch_->setInterval(kSeekWatchMs);
    connect(seekWatch_, &QTimer::timeout, this, &QtMoviePlayer::seekStalled);
    player_ = new QMediaPlayer(this);
    decoded_ = new QVideoSink(this);
    player_->setVideoSink(decoded_);
    // Frames come from the backend's thread: the connection queues them to this one.
    connect(decoded_, &QVideoSink::videoFrameChanged, this, &QtMoviePlayer::frameDecoded,
            Qt::QueuedConnection);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &QtMoviePlayer::statusChanged);
    connect(player_, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error, const QString& text) {
                failed_ = true;
                error_ = text;
            });
}

QtMoviePlayer::~QtMoviePlayer() {
    player_->stop();
    player_->setVideoSink(nullptr);
    delete video_.data();
}

bool QtMoviePlayer::available() const {
    return player_->isAvailable();
}

bool QtMoviePlayer::waitFor(const std::function<bool()>& done, int milliseconds) {
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return done();
}

bool QtMoviePlayer::open(const QString& path) {
    close();
    error_.clear();
    failed_ = false;
    if (!QFileInfo(path).isFile()) {
        error_ = QStringLiteral("no movie file %1").arg(path);
        return false;
    }
    source_ = QUrl::fromLocalFile(path);
    player_->setSource(source_);
    const auto settled = [this] {
        const QMediaPlayer::MediaStatus status = player_->mediaStatus();
        return failed_ || status == QMediaPlayer::LoadedMedia ||
               status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::NoMedia;
    };
    waitFor(settled, kOpenWaitMs);
    if (player_->mediaStatus() != QMediaPlayer::LoadedMedia || failed_ || !player_->hasVideo()) {
        if (error_.isEmpty())
            error_ = QStringLiteral("%1 holds no movie that can be shown").arg(path);
        player_->setSource(QUrl());
        return false;
    }
    const double rate = player_->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    if (rate > 1 && rate < 1000)
        frameLength_ = static_cast<qint64>(std::llround(1e6 / rate));
    const qint64 duration = player_->duration();
    const auto frames = static_cast<int>(std::llround(duration * 1000.0 / frameLength_));
    lastFrame_ = std::max(0, frames - 1);
    open_ = true;
    // The first frame decoded after opening is frame 0: its time is the start offset.
    startSeek(0);
    waitFor([this] { return seekTarget_ < 0; }, kFirstFrameWaitMs);
    return true;
}

void QtMoviePlayer::close() {
    playing_ = false;
    pendingPlay_ = false;
    reloading_ = false;
    seekWatch_->stop();
    seekTarget_ = -1;
    open_ = false;
    position_ = 0;
    lastFrame_ = -1;
    firstFrameTime_ = -1;
    frameLength_ = 40000;
    lastUnseen_ = QVideoFrame();
    player_->stop();
    player_->setPlaybackRate(1.0);
    player_->setSource(QUrl());
    if (video_)
        video_->setFrame(QImage(), -1);
}

int QtMoviePlayer::frameAt(qint64 streamMicroseconds) const {
    const qint64 offset = std::max<qint64>(0, streamMicroseconds - firstFrameTime_);
    int frame = static_cast<int>(std::llround(static_cast<double>(offset) / frameLength_));
    if (lastFrame_ >= 0)
        frame = std::min(frame, lastFrame_);
    return frame;
}

void QtMoviePlayer::show(const QVideoFrame& frame, int index) {
    position_ = index;
    if (video_)
        video_->setFrame(FrameImage(frame), frame.startTime());
}

void QtMoviePlayer::frameDecoded(const QVideoFrame& frame) {
    if (!open_ || reloading_ || !frame.isValid() || frame.startTime() < 0)
        return;
    if (firstFrameTime_ < 0)
        firstFrameTime_ = frame.startTime();
    const int index = frameAt(frame.startTime());
    if (seekTarget_ < 0) {
        // Frames that come in after a stop or a seek's pause are not shown.
        if (!playing_)
            return;
        show(frame, index);
        // The play ends at the last frame, paused there: a backend left at the end of the
        // movie does not always take the next seek.
        if (lastFrame_ >= 0 && index >= lastFrame_) {
            player_->pause();
            playEnded();
        }
        return;
    }
    // Frames decoded before the seek may still come in; the seek starts at a key frame at or
    // before its target, so the first frame at or before the target is where it started.
    if (!seekLanded_) {
        if (index > seekTarget_)
            return;
        seekLanded_ = true;
    }
    if (index < seekTarget_) {
        lastUnseen_ = frame;
        lastUnseenIndex_ = index;
        return;
    }
    player_->pause();
    player_->setPlaybackRate(1.0);
    seekTarget_ = -1;
    lastUnseen_ = QVideoFrame();
    show(frame, index);
}

void QtMoviePlayer::playEnded() {
    playing_ = false;
    position_ = std::max(lastFrame_, 0);
    if (endHandler_)
        endHandler_();
}

bool QtMoviePlayer::atEnd() const {
    return player_->mediaStatus() == QMediaPlayer::EndOfMedia;
}

void QtMoviePlayer::reload() {
    // Opening the file afresh is the one sure way out of the backend's end-of-movie state.
    reloading_ = true;
    seekWatch_->stop();
    player_->setSource(QUrl());
    player_->setSource(source_);
}

void QtMoviePlayer::reloaded() {
    reloading_ = false;
    if (pendingPlay_) {
        pendingPlay_ = false;
        position_ = 0;
        player_->setPlaybackRate(1.0);
        player_->play();
    } else if (seekTarget_ >= 0) {
        seekPlayback();
    }
}

void QtMoviePlayer::startSeek(int frame) {
    seekTarget_ = frame;
    seekLanded_ = false;
    seekRetried_ = false;
    lastUnseen_ = QVideoFrame();
    if (reloading_)
        return; // the seek starts once the file is open again
    if (atEnd())
        reload();
    else
        seekPlayback();
}

void QtMoviePlayer::seekPlayback() {
    qint64 time = static_cast<qint64>(seekTarget_) * frameLength_ / 1000;
    const qint64 offset = firstFrameTime_ >= 0 ? firstFrameTime_ / 1000 : 0;
    time = std::clamp<qint64>(time, 0,
                              std::max<qint64>(0, player_->duration() - offset - kSeekEndMarginMs));
    player_->setPlaybackRate(kSeekRate);
    // A playing backend may miss a seek near the end: it pauses first.
    if (player_->playbackState() == QMediaPlayer::PlayingState)
        player_->pause();
    player_->setPosition(time);
    player_->play();
    seekWatch_->start();
}

void QtMoviePlayer::seekStalled() {
    if (seekTarget_ < 0 || seekLanded_ || seekRetried_ || reloading_)
        return;
    seekRetried_ = true;
    reload();
}

void QtMoviePlayer::statusChanged(QMediaPlayer::MediaStatus status) {
    if (!open_)
        return;
    if (reloading_) {
        if (status == QMediaPlayer::LoadedMedia)
            reloaded();
        return;
    }
    if (status != QMediaPlayer::EndOfMedia)
        return;
    if (seekTarget_ >= 0) {
        if (!seekLanded_ && !seekRetried_) {
            // Ended before the seek's first frame: once more, from the file opened afresh.
            seekRetried_ = true;
            reload();
            return;
        }
        // The movie ended before the frame asked for: its last frame decoded shows.
        seekTarget_ = -1;
        player_->setPlaybackRate(1.0);
        if (lastUnseen_.isValid())
            show(lastUnseen_, lastUnseenIndex_);
        lastUnseen_ = QVideoFrame();
        return;
    }
    if (playing_)
        playEnded();
}

void QtMoviePlayer::play() {
    if (!open_)
        return;
    seekTarget_ = -1;
    seekWatch_->stop();
    playing_ = true;
    if (reloading_ || atEnd()) {
        pendingPlay_ = true;
        if (!reloading_)
            reload();
        return;
    }
    player_->setPlaybackRate(1.0);
    if (lastFrame_ >= 0 && position_ >= lastFrame_) {
        position_ = 0;
        player_->setPosition(0);
    }
    player_->play();
}

void QtMoviePlayer::stop() {
    playing_ = false;
    pendingPlay_ = false;
    seekTarget_ = -1;
    seekWatch_->stop();
    player_->setPlaybackRate(1.0);
    if (player_->playbackState() == QMediaPlayer::PlayingState)
        player_->pause();
}

void QtMoviePlayer::seek(int frame) {
    if (!open_)
        return;
    playing_ = false;
    pendingPlay_ = false;
    startSeek(std::clamp(frame, 0, std::max(lastFrame_, 0)));
}

void QtMoviePlayer::step(int frames) {
    seek(position() + frames);
}

int QtMoviePlayer::position() const {
    return seekTarget_ >= 0 ? seekTarget_ : position_;
}

} // namespace skelvane
