#pragma once

#include "astro/datetime.h"
#include "widgets/moon_image.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <optional>

namespace skelvane {

// The Apollo 11 landing, 1969-07-20 20:17:43 UTC: the marker belongs only on pictures of
// later instants.
DateTime ApolloLandingUtc();
bool ApolloMarkerDue(DateTime utc);

// The marker's pixel in a Moon picture of `size`: (41, 29) at 64 pixels, (20, 15) at 32
// and (9, 7) at 16, other sizes scaled from the 64-pixel place on their disc. A picture
// turned for the southern hemisphere carries it turned with the disc. Nothing for an empty
// size.
std::optional<QPoint> ApolloMarkerPixel(QSize size, bool turned);

// The Moon picture with the landing site marked by one red pixel when asked for and due.
class ApolloMoon : public TMoon {
    Q_OBJECT
public:
    explicit ApolloMoon(QWidget* parent = nullptr);

    // The instant pictured (UTC): sets the phase and decides whether the marker is due.
    void setPictureDate(DateTime utc);
    DateTime pictureDate() const { return pictureDate_; }

    void setMarkerShown(bool shown);
    bool markerShown() const { return markerShown_; }

    // The picture as painted, marker included.
    QImage markedPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DateTime pictureDate_ = 0;
    bool markerShown_ = false;
};

} // namespace skelvane
