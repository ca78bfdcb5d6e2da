#pragma once

#include "astro/datetime.h"
#include "widgets/full_moon_image.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace skelvane {

// The Moon picture for a picture size: the full Moon of `style`, its unlit part blackened
// for the calendar model's signed phase angle (0 full, ±180 new, positive while waxing) by
// ShadeMoonPicture, so a waxing Moon is dark on the left and a waning one on the right.
// With `turned` the finished picture is rotated 180° about the disc's centre, the Moon as
// seen from the southern hemisphere (the lit side swaps over). ARGB32; null for an empty
// size.
QImage MoonPicture(QSize size, MoonStyle style, double phaseAngle, bool turned);
// The same from a full-Moon picture already drawn (FullMoonImage), which is not changed.
QImage ShadedMoonPicture(const QImage& fullMoon, double phaseAngle, bool turned);

// Rotates the disc of `picture` by 180° about its centre pixel in place: pixel (x, y) takes
// the value of (2·cx − x, 2·cy − y). Pixels outside the disc are left as they are.
void TurnMoonPicture(QImage& picture, const MoonDisc& disc);

// The Moon image control: shows the Moon at a phase angle, or at a UTC date-time value,
// scaled to nothing: the picture is drawn for the control's own size. The picture is
// rebuilt only when the angle, the size, the style or the turn changes; painting just
// copies it. Transparent outside the disc.
class TMoon : public QWidget {
    Q_OBJECT
public:
    explicit TMoon(QWidget* parent = nullptr);

    // Signed phase angle of the calendar model, degrees. Not-a-number values are ignored.
    void setPhaseAngle(double phaseAngle);
    double phaseAngle() const { return phaseAngle_; }
    // The Moon at a UTC date-time value: setPhaseAngle(MoonPhaseAngle(utc)).
    void setDateTime(DateTime utc);

    // Turned 180° for the southern hemisphere; off by default.
    void setRotated(bool rotated);
    bool rotated() const { return rotated_; }

    void setMoonStyle(MoonStyle style);
    MoonStyle moonStyle() const { return style_; }

    // The hint shown over the picture. With showHint off the text is kept but no hint
    // appears (the Moon page shows its hint only for part of the cycle).
    void setHint(const QString& hint);
    QString hint() const { return hint_; }
    void setShowHint(bool show);
    bool showHint() const { return showHint_; }

    // Where the disc lies in the control, and the picture as it is painted.
    MoonDisc disc() const { return MoonDiscForSize(size()); }
    const QImage& picture() const;

    QSize sizeHint() const override { return {32, 32}; }

signals:
    // A left-button press on the control.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void rebuildPicture();
    void applyHint();

    double phaseAngle_ = 0; // full Moon until told otherwise
    bool rotated_ = false;
    MoonStyle style_ = MoonStyle::Colour;
    QString hint_;
    bool showHint_ = true;
    QImage fullMoon_; // for fullMoonSize_ and fullMoonStyle_
    QSize fullMoonSize_{-1, -1};
    MoonStyle fullMoonStyle_ = MoonStyle::Colour;
    QImage picture_;
    QSize pictureSize_{-1, -1};
};

} // namespace skelvane
