#pragma once

#include "infowin/movie_player.h"

#include <QMediaPlayer>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVideoFrame>
#include <memory>

class QTimer;
class QVideoSink;

namespace skelvane {

class MovieFrameView;

// A MoviePlayer over QMediaPlayer, showing its frames in a MovieFrameView that fills the panel.
//
// Frame numbers come from the pictures themselves: each decoded frame carries its stream time,
// which with the ffmpeg backend includes the file's start offset (an MPEG program stream
// starts at about 0.5 s); the time of the first frame decoded after opening is frame 0, and
// the frame length comes from the frame rate.
//
// The player decodes into a sink of its own and hands the frames it means to show to the
// frame view. The backend's seeks reach only the key frame at or before the time asked for,
// show nothing while paused, and end the movie at once when the time plus the start offset
// passes its length; left at the end of the movie it may take no further seek at all. So a
// seek (and the first picture after opening) plays, fast and unseen, from a time the backend
// can reach and pauses on the first frame at or past the one asked for; frames that still
// come in after the pause are not shown; a play pauses on the last frame instead of running
// into the end; and a backend at the end anyway, or a seek that sees no frame, opens the
// file afresh.
class QtMoviePlayer final : public QObject, public MoviePlayer {
    Q_OBJECT
public:
    explicit QtMoviePlayer(QWidget* panel);
    ~QtMoviePlayer() override;

    // Whether Qt Multimedia has a working backend.
    bool available() const;

    bool open(const QString& path) override;
    void close() override;
    bool isOpen() const override { return open_; }
    QString errorString() const override { return error_; }
    void play() override;
    bool isPlaying() const override { return playing_; }
    void stop() override;
    void seek(int frame) override;
    void step(int frames) override;
    int position() const override;
    int lastFrame() const override { return lastFrame_; }
    void setEndHandler(std::function<void()> handler) override { endHandler_ = std::move(handler); }

private:
    void frameDecoded(const QVideoFrame& frame);
    void show(const QVideoFrame& frame, int index);
    void playEnded();
    void startSeek(int frame);
    void seekPlayback();
    // A seek saw no frame in time (or the movie ended first): once more, from the file
    // opened afresh.
    void seekStalled();
    bool atEnd() const;
    void reload();
    void reloaded();
    void statusChanged(QMediaPlayer::MediaStatus status);
    // Runs the event loop until `done` holds or `milliseconds` have passed.
    bool waitFor(const std::function<bool()>& done, int milliseconds);
    int frameAt(qint64 streamMicroseconds) const;

    QPointer<MovieFrameView> video_;
    QMediaPlayer* player_ = nullptr;
    QVideoSink* decoded_ = nullptr; // what the backend decodes; video_ shows what is handed on
    QTimer* seekWatch_ = nullptr;
    std::function<void()> endHandler_;
    QString error_;
    bool open_ = false;
    bool failed_ = false; // the backend reported an error for the open movie
    bool playing_ = false;
    int position_ = 0;
    int lastFrame_ = -1;
    qint64 firstFrameTime_ = -1; // stream time of frame 0, microseconds
    qint64 frameLength_ = 40000; // microseconds
    int seekTarget_ = -1;        // a seek is playing on to this frame
    bool seekLanded_ = false;    // the seek's first frame (at or before its target) came in
    bool seekRetried_ = false;   // the seek was started again after an early end
    QUrl source_;
    bool reloading_ = false;   // the file is being opened afresh
    bool pendingPlay_ = false; // a play waits for that
    QVideoFrame lastUnseen_;   // the last frame a seek passed over, shown if the movie ends first
    int lastUnseenIndex_ = -1;
};

} // namespace skelvane
