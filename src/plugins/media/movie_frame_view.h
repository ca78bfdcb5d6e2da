#pragma once

#include <QImage>
#include <QWidget>

namespace skelvane {

// Shows one movie frame, scaled to fit and centred on black, painted like any other widget.
// It draws without OpenGL, so showing a movie loads no OpenGL driver (with a software
// renderer some 60 MB), and a picture of the window (a screenshot, the image export's
// picture of the movie panel) holds the frame.
class MovieFrameView : public QWidget {
    Q_OBJECT
public:
    explicit MovieFrameView(QWidget* parent = nullptr);

    // The frame to show and its stream time (microseconds); a null image shows black.
    void setFrame(const QImage& image, qint64 streamTime);
    const QImage& image() const { return image_; }
    // The stream time of the frame that shows, −1 without one.
    qint64 frameTime() const { return frameTime_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    qint64 frameTime_ = -1;
};

} // namespace skelvane
