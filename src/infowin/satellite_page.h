#pragma once

#include "astro/datetime.h"
#include "net/decode/satellite_animation.h"
#include "net/decode/satellite_request.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace skelvane {

class AnimationTimer;
class Clock;
class DownloadState;
class LinkLabel;
class MoviePlayer;
class SatelliteDownload;
struct Settings;

// The Satellite page (SatelliteSheet): satellite stills of sixteen areas, the full-disk
// pictures, the coasts' movies and the tropical loops from the satellite image server
// (SatelliteServer), with their choices kept in the settings. Downloads run on the
// user-interface thread with the event loop kept running and the page disabled. Movies are
// kept in the per-user cache and played by the movie player plugin, loaded the first time a
// movie opens; without it the page shows stills and loops and says that movies are
// unavailable. The loop and the movie advance on the shared animation timer (Timer2Step).
class SatellitePage : public QWidget {
    Q_OBJECT
public:
    // Makes the movie player that shows its movies in `panel`; null with `error` when there
    // is none. The default loads the plugin.
    using PlayerSource =
        std::function<std::unique_ptr<MoviePlayer>(QWidget* panel, QString* error)>;

    SatellitePage(Settings& settings, DownloadState& downloads, AnimationTimer& animation,
                  const Clock& clock, QWidget* parent = nullptr);
    ~SatellitePage() override;

    // Seams for the tests: the player, the folder movies are kept in, and the steady clock
    // (seconds) that times the movie's replay.
    void setPlayerSource(PlayerSource source);
    void setMovieFolder(const QString& folder);
    void setSteadyClock(std::function<double()> seconds);

    // Handlers, public so that the window and the tests can run them.
    void SatelliteLocationBoxSelect(int index);
    void SatelliteTypeBoxSelect(int index);
    void SatelliteColorBoxSelect(int index);
    void AnimateSatelliteBoxClick(bool checked);
    void RepeatSatelliteBoxClick(bool checked);
    // "Get Satellite": the choices' picture, movie or loop. Returns when it has arrived (or
    // failed); meanwhile the page is disabled and the event loop runs.
    void GetSatelliteButClick();
    void MediaPlayer1Click(MovieButton button);
    void SatelliteSheetEnter();
    void SatelliteSheetExit();
    // The satellite step of Timer2Timer: the loop's next frame, or else the movie's replay.
    void Timer2Step();

    // A "Get Satellite" is running.
    bool downloading() const { return downloading_; }
    // The picture Image7 holds (a still or a loop frame); null before the first.
    const QImage& shownImage() const { return shownImage_; }
    // The stored movie's full path (the image export copies it); empty before the first.
    const QString& movieFile() const { return movieFile_; }
    // Local time of the last download that brought something; 0 before.
    DateTime satelliteTime() const { return satelliteTime_; }
    bool stillShown() const { return stillShown_; }
    const SatelliteLoop& loop() const { return loop_; }
    const SatelliteMovie& movie() const { return movie_; }
    // The player, once a movie has asked for it; null before or without the plugin.
    MoviePlayer* player() const { return player_.get(); }

    QComboBox* SatelliteLocationBox = nullptr;
    QComboBox* SatelliteTypeBox = nullptr;
    QComboBox* SatelliteColorBox = nullptr;
    QCheckBox* AnimateSatelliteBox = nullptr;
    QCheckBox* RepeatSatelliteBox = nullptr;
    QPushButton* GetSatelliteBut = nullptr;
    QPushButton* CopySatelliteBut = nullptr;
    QPushButton* SaveSatelliteBut = nullptr;
    QPushButton* PrintSatelliteBut = nullptr;
    QScrollArea* SatelliteScrollBox = nullptr;
    QLabel* Image7 = nullptr;
    QFrame* SatPanel = nullptr;
    QWidget* MediaPlayer1 = nullptr;             // the player's buttons
    std::array<QToolButton*, 4> mediaButtons_{}; // Play, Stop, Step, Back
    QLabel* FrameNumLab = nullptr;
    QLabel* LastSatelliteLab = nullptr;
    QLabel* MovieNoteLab = nullptr; // one line: movies unavailable, or a movie not kept
    LinkLabel* NatHurricaneCenterLab = nullptr;
    LinkLabel* NOAASatelliteLab = nullptr;

signals:
    // A link asks for a web page (handed to the user's browser).
    void webAddressRequested(const QString& address);
    // The "Copy", "Save" and "Print" buttons, run by the image commands.
    void copyImageRequested();
    void saveImageRequested();
    void printImageRequested();

private:
    void buildControls();
    void GetSatellite(const SatelliteRequest& request);
    void GetTropicalAnim(SatelliteDownload& download, const SatelliteRequest& request);
    void keepMovie(const SatelliteRequest& request, const QByteArray& body);
    void StartSatelliteMovie();
    void StopSatelliteMovie();
    void ShowSatelliteMovieScreen();
    void ShowSatelliteStaticScreen();
    void MediaPlayer1Notify();
    void showImage(const QImage& image);
    void showTimeLabel();
    void showControls();
    void fillTypeBox();
    void setEnabledButtons(bool play, bool stop, bool step, bool back);
    void showMovieNote(const QString& text);
    // Loads the player the first time a movie needs it; false when there is none.
    bool ensurePlayer();
    void updateTimer();
    double steadyNow() const;

    Settings& settings_;
    DownloadState& downloads_;
    AnimationTimer& animation_;
    const Clock& clock_;
    PlayerSource playerSource_;
    QString movieFolder_;
    std::function<double()> steadyClock_;
    QElapsedTimer steadyTimer_;

    std::unique_ptr<MoviePlayer> player_;
    bool playerUnavailable_ = false;
    SatelliteLoop loop_;
    SatelliteMovie movie_;
    std::array<QImage, SatelliteLoop::kSlots> loopSlots_;
    QImage shownImage_;
    QString movieFile_;
    DateTime satelliteTime_ = 0;
    bool stillShown_ = false;
    bool downloading_ = false;
};

} // namespace skelvane
