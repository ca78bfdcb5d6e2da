#pragma once

#include "astro/datetime.h"
#include "net/decode/radar_animation.h"
#include "net/decode/radar_direction_panel.h"
#include "net/decode/radar_map_mouse.h"
#include "net/decode/radar_paths.h"
#include "net/decode/weather_warnings.h"
#include "net/radar_animation_gif.h"
#include "net/radar_site_download.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace skelvane {

class AnimationTimer;
class Clock;
class DownloadState;
class LinkLabel;
class RadarMapView;
struct Settings;

// The Radar page (RadarSheet): national and regional mosaics and radar sites, composed from
// their layers, animated on the shared timer, with the map's site finder, distance mode,
// direction buttons and warning labels. Site downloads run on a TMyThread2 that hands every
// step over to this page (it is the download's observer on the user-interface thread);
// mosaics are fetched here while the event loop keeps running. Controls write their
// settings at once.
class RadarPage : public QWidget, public RadarSiteObserver {
    Q_OBJECT
public:
    RadarPage(Settings& settings, const Clock& clock, AnimationTimer& animation,
              DownloadState& downloads, QWidget* parent = nullptr);
    ~RadarPage() override;

    // "Get Radar": a site's download on a worker thread, or a mosaic's on this thread.
    void GetRadarButClick();
    // "USA Map": view 0, fetched.
    void MainUSAButClick();
    // "Zoom In" / "Zoom Out": nothing for view 1; otherwise the zoom toggles and the view is
    // fetched again.
    void ZoomButClick();
    // A view chosen in the location box.
    void RadarLocationBoxSelect(int view);
    // Direction button d (1 north ... 8 north-west): the neighbouring site, fetched.
    void QuadButClick(int direction);
    // The map's mouse, at a pixel of the picture as shown.
    void Image6MouseMove(QPoint at);
    void Image6MouseDown(Qt::MouseButton button, QPoint at);
    void LeftClickGroupClick(int choice);
    void RadarHintsBoxClick(bool checked);
    void WarningsTextBoxClick(bool checked);

    // The animation's controls.
    void AnimateRadarBoxClick(bool checked);
    void RepeatRadarBoxClick(bool checked);
    void LoopRadarButClick();
    void NextRadarImage();
    void PrevRadarImageButClick();
    void MaxImagesUpDownClick(int position);
    void SpeedUpDownClick(int position);

    // The page was entered or left (the information window's page control).
    void RadarSheetEnter();
    void RadarSheetExit();
    // The radar step of the shared animation timer.
    void animateStep();
    // The clock tick's five-second ageing of the time label.
    void refreshTimeLabel();
    // The start task when the Radar page was the last page: the stored view, fetched.
    void startTask();

    // A download (site or mosaic) runs: the page is disabled and the map ignores the mouse.
    bool busy() const { return busy_; }
    // The composed frame i of the last download (null when none).
    QImage frame(int index) const;
    const RadarAnimation& animation() const { return animation_; }
    double zoom() const { return zoom_; }
    RadarHost activeHost() const { return activeHost_; }
    const WeatherWarnings& warnings() const { return warnings_; }
    // The animated GIF of the last animated download, for saving.
    RadarAnimationGif& animationGif() { return animationGif_; }
    bool animationGifReady() const { return animationGifReady_; }
    // The radar picture Image6 shows, or null while it shows none (before the first download
    // or after one that brought nothing).
    QImage displayedPicture() const;
    // The caption of the view last fetched ("TX - Midland/Odessa") and the local time its
    // download ended (0 before the first).
    QString viewCaption() const { return viewName(); }
    DateTime downloadTimeLocal() const;
    // How long the mosaic loop waits after each frame while it fills the frames (100 ms).
    void setMosaicFrameWait(int milliseconds) { mosaicFrameWaitMs_ = milliseconds; }

    // The controls, by their names.
    QComboBox* RadarLocationBox = nullptr;
    QComboBox* RadarReflectivityBox = nullptr;
    QPushButton* GetRadarBut = nullptr;
    QPushButton* MainUSABut = nullptr;
    QPushButton* ZoomBut = nullptr;
    QPushButton* CopyRadarBut = nullptr;
    QPushButton* SaveRadarBut = nullptr;
    QPushButton* PrintRadarBut = nullptr;
    QCheckBox* TopoBox = nullptr;
    QCheckBox* RadarBox = nullptr;
    QCheckBox* CountiesBox = nullptr;
    QCheckBox* RiversBox = nullptr;
    QCheckBox* HighwaysBox = nullptr;
    QCheckBox* CitiesBox = nullptr;
    QCheckBox* WarningsBox = nullptr;
    QCheckBox* RangeRingBox = nullptr;
    QCheckBox* LegendBox = nullptr;
    QCheckBox* WarningsTextBox = nullptr;
    QCheckBox* AnimateRadarBox = nullptr;
    QCheckBox* RepeatRadarBox = nullptr;
    QPushButton* LoopRadarBut = nullptr;
    QPushButton* NextRadarImageBut = nullptr;
    QPushButton* PrevRadarImageBut = nullptr;
    QSpinBox* MaxImagesUpDown = nullptr;
    QSpinBox* SpeedUpDown = nullptr;
    QLabel* RadarImageNumLab = nullptr;
    QLabel* LastRadarLab1 = nullptr;
    std::array<QLabel*, 3> LonLab{}; // LonLab1 ... LonLab3
    std::array<QLabel*, 3> LatLab{}; // LatLab1 ... LatLab3
    QLabel* SiteNameLab = nullptr;
    QFrame* RadarButPanel = nullptr;
    std::array<QToolButton*, 8> RadBut{}; // RadBut1 ... RadBut8
    QRadioButton* MoveRadarRadio = nullptr;
    QRadioButton* DistanceRadio = nullptr;
    QLabel* MilesLab = nullptr;
    QLabel* KMLab = nullptr;
    QCheckBox* RadarHintsBox = nullptr;
    QCheckBox* ShowSitesBox = nullptr;
    LinkLabel* RadarInfoLab = nullptr;
    LinkLabel* GroundClutterLab = nullptr;
    std::array<QLabel*, 4> WarningLab{}; // WarningLab1 ... WarningLab4
    QScrollArea* RadarScrollBox = nullptr;
    RadarMapView* Image6 = nullptr;

    // RadarSiteObserver: the hand-over steps of a site download.
    void RunStarted() override;
    void RunEnded() override;
    void PrepRadar() override;
    void FrameCountFixed(int count) override;
    void ActiveHostChanged(RadarHost host) override;
    void FrameListsRead(const RadarFrameLists& lists) override;
    void ConnectionRefused() override;
    void AnimationCleared() override;
    void FrameLoading(int index) override;
    void ShowRadarFrame(int index, const RadarComposedFrame& frame) override;
    void DownloadSucceeded(const RadarSiteOutcome& outcome) override;
    void DownloadEnded(const RadarSiteOutcome& outcome) override;

signals:
    // A download ended (its last step has run).
    void downloadFinished();
    // The "Copy", "Save" and "Print" buttons, run by the image commands.
    void copyImageRequested();
    void saveImageRequested();
    void printImageRequested();

private:
    void buildControls();
    QWidget* buildSidePanel();
    QWidget* buildCoordinateRow();
    QCheckBox* makeBox(QWidget* parent, const char* name, const char* caption,
                       bool Settings::*setting);
    void loadSettings();

    void GetRadar(int view, const std::string& product, bool animate, const std::string& site);
    bool GetRadarNational(int view, bool animate);
    void prepare(int view);
    void SetRadarControlVisibility(int view, bool withDirectionButtons);
    void SetRadarImageSize(int view);
    void ShowRadarTime(int index, const QString& text, bool show, const QColor& colour);
    void ShowLonLatName(const std::string& name, LonLat point);
    void SetLonLatVis(bool visible);
    void ShowWarnings();
    void hideWarnings();
    void fillWarningLabels();
    void apply(const RadarAnimationEffect& effect);
    void showFrame(int index);
    void updateTimer();
    void selectView(int view);
    void scrollToQuarter();
    void waitKeepingEvents(int milliseconds);
    std::vector<RadarCircleMark> circles(int view) const;
    QString viewName() const;

    Settings& settings_;
    const Clock& clock_;
    AnimationTimer& timer_;
    DownloadState& downloads_;

    RadarAnimation animation_;
    RadarMapMouse mouse_;
    RadarDirectionPanel panel_;
    std::array<QImage, 30> frames_;
    std::vector<std::string> radarFrameNames_;
    RadarHost activeHost_ = RadarHost::Regional;
    double zoom_ = 1.0;
    DateTime downloadTimeUtc_ = 0;
    bool radarShown_ = false;
    bool busy_ = false;
    int downloadView_ = -1;
    RadarSiteRequest download_; // what the running site download was asked for
    WeatherWarnings warnings_;
    RadarAnimationGif animationGif_;
    bool animationGifReady_ = false;
    int lastAppendedFrame_ = -1;
    int mosaicFrameWaitMs_ = 100;
    // The hand-over point of the worker threads; it outlives the page while a thread holds
    // it, and steps for a deleted page are dropped.
    std::shared_ptr<QObject> handover_;
};

} // namespace skelvane
