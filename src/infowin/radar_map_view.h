#pragma once

#include <QImage>
#include <QWidget>

namespace skelvane {

// The radar map (Image6): shows one picture at its own size and reports the mouse in the
// picture's pixels. Its hint is shown at once where the page asks, not after a pause.
class RadarMapView : public QWidget {
    Q_OBJECT
public:
    explicit RadarMapView(QWidget* parent = nullptr);

    // The picture shown; the widget takes its size. A null picture shows black.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // A black picture of the size.
    void showBlack(QSize size);

    // The hint shown at once at `at` (a point of the map), or hidden for an empty text.
    void showHintAt(const QString& text, QPoint at);
    QString hintText() const { return hint_; }

    QSize sizeHint() const override;

signals:
    void mouseMoved(QPoint at);
    void mousePressed(Qt::MouseButton button, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QString hint_;
};

} // namespace skelvane
