#pragma once

#include "astro/datetime.h"
#include "astro/format_date.h"
#include "infowin/sun_graph.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace skelvane {

class Clock;
struct Settings;

// The drawing area of the Graph page: shows the last drawn graph and reports left clicks.
class SunGraphPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit SunGraphPaintBox(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    const QImage& image() const { return image_; }

signals:
    void pressed(QPoint position, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

// The Graph page: the year's sunrise and sunset at the user's place, day by day, as local
// clock times or as compass directions, with day and night shaded, the selected day and the
// present moment marked, and beside it the selected day's sunrise, sunset and day length.
// A click on the drawing asks for that day with goToDate.
class GraphPage : public QWidget {
    Q_OBJECT
public:
    GraphPage(Settings& settings, const Clock& clock, QWidget* parent = nullptr);

    // The clock window's calendar date. The graph is drawn again only when the day or one of
    // its inputs (place, clock style, the page's own choices) changed.
    void setDate(DateTime localDay);
    DateTime date() const { return drawnDay_; }
    // The side group's caption (the clock window sets it on every change of its date).
    void setGroupCaption(const QString& caption);
    QString groupCaption() const;
    void setDateNames(const DateLocale& names);

    // Draws the graph for the selected day now (DrawGraph).
    void DrawGraph();
    // The graph as the image commands save, copy and print it, drawn afresh for the saved
    // place and the selected day.
    QImage GetGraph();

    // Handlers, public so the frame and the tests can run them.
    void PaintBoxMouseDown(QPoint position, Qt::MouseButton button);
    void TimePositionBoxClick();
    void DaylightSavingBoxClick();
    void ShowDateLinesBoxClick();
    void MarEqButClick() { emit seasonRequested(0); }
    void JunSolButClick() { emit seasonRequested(1); }
    void SepEqButClick() { emit seasonRequested(2); }
    void DecSolButClick() { emit seasonRequested(3); }
    void PrevMonthBut2Click() { emit previousMonthRequested(); }
    void NextMonthBut2Click() { emit nextMonthRequested(); }

    // What the last drawing showed, for the tests.
    const SunGraphScene& scene() const { return scene_; }
    SunGraphPaintBox* paintBox() const { return PaintBox; }

signals:
    void goToDate(DateTime localDay);
    // The clock window's equinox and solstice commands: 0 March, 1 June, 2 September,
    // 3 December.
    void seasonRequested(int index);
    void previousMonthRequested();
    void nextMonthRequested();
    // The "Copy", "Save" and "Print" buttons; the image commands call GetGraph.
    void copyImageRequested();
    void saveImageRequested();
    void printImageRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void renderImage();
    bool imageStale_ = true; // the drawing waits for the page to show
    QWidget* buildSidePanel();
    SunGraphOptions currentOptions() const;
    void showSideLabels();

    Settings& settings_;
    const Clock& clock_;
    DateLocale names_ = EnglishDateLocale();
    DateTime drawnDay_ = 0;
    bool drawn_ = false;
    SunGraphOptions drawnOptions_;
    QString drawnPlace_;
    SunGraphScene scene_;

    // Controls; each carries its design name as objectName.
    QGroupBox* GraphGroupBox = nullptr;
    SunGraphPaintBox* PaintBox = nullptr;
    QGroupBox* GraphSunGroupBox = nullptr;
    QLabel* GraphSunRiseLab1 = nullptr;
    QLabel* GraphSunRiseLab2 = nullptr;
    QLabel* GraphSunRiseLab3 = nullptr;
    QLabel* GraphSunSetLab1 = nullptr;
    QLabel* GraphSunSetLab2 = nullptr;
    QLabel* GraphSunSetLab3 = nullptr;
    QLabel* GraphDayHoursLab = nullptr;
    QGroupBox* TimePositionBox = nullptr;
    QRadioButton* TimeRadio = nullptr;
    QRadioButton* PositionRadio = nullptr;
    QCheckBox* DaylightSavingBox = nullptr;
    QCheckBox* ShowDateLinesBox = nullptr;
    std::array<QPushButton*, 4> seasonButs_{};
    QToolButton* PrevMonthBut2 = nullptr;
    QToolButton* NextMonthBut2 = nullptr;
};

} // namespace skelvane
