#pragma once

// The movie player of the Satellite page. The page knows only this interface; the player that
// implements it lives in a plugin (src/plugins/media/, Qt Multimedia) that is loaded the
// first time a movie opens, so that a clock that never shows a movie never maps Qt
// Multimedia. Header only: the plugin includes it without linking the window's library.

#include <QString>
#include <QtPlugin>
#include <functional>
#include <memory>

class QWidget;

namespace skelvane {

// One movie shown in a panel. Positions are frame numbers counted from 0 (the first picture
// of the movie), whatever times the file's stream carries. User-interface thread only; no
// call blocks for longer than opening the file takes.
class MoviePlayer {
public:
    virtual ~MoviePlayer() = default;

    // Opens the movie file and shows its first frame in the panel given at creation, sized
    // to the panel. Any earlier movie is closed first. False, with errorString(), when the
    // file cannot be read or holds no video the player can show.
    virtual bool open(const QString& path) = 0;
    // Closes the movie and lets go of the file; the panel shows nothing.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QString errorString() const = 0;

    // Plays from the current position (from the start when it stands at the last frame) and
    // returns at once; the end handler runs when the play reaches the end of the movie. A
    // stop, a seek or a close before the end ends the play without the end notice.
    virtual void play() = 0;
    virtual bool isPlaying() const = 0;
    // Stops playing and keeps the frame that shows.
    virtual void stop() = 0;
    // Shows frame `frame` (brought into 0 … lastFrame()) without playing.
    virtual void seek(int frame) = 0;
    // Shows the next (+1) or the previous (−1) frame without playing, within the movie.
    virtual void step(int frames) = 0;
    // The frame that shows, 0 before the first one did.
    virtual int position() const = 0;
    // The number of the movie's last frame, −1 while no movie is open.
    virtual int lastFrame() const = 0;

    // Runs on the user-interface thread each time a play reaches the end of the movie.
    virtual void setEndHandler(std::function<void()> handler) = 0;
};

// What the plugin offers: a player showing its movies in `panel` (the player puts its
// video widget into the panel, filling it). Null, with `error`, when no player can be made.
class MoviePlayerFactory {
public:
    virtual ~MoviePlayerFactory() = default;
    virtual std::unique_ptr<MoviePlayer> createPlayer(QWidget* panel, QString* error) = 0;
};

} // namespace skelvane

#define SkelvaneMoviePlayerFactory_iid "org.skelvane.MoviePlayerFactory/1"
Q_DECLARE_INTERFACE(skelvane::MoviePlayerFactory, SkelvaneMoviePlayerFactory_iid)
