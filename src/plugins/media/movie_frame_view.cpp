#include "plugins/media/movie_frame_view.h"

#include <QPainter>

namespace skelvane {

MovieFrameView::MovieFrameView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MovieFrameView::setFrame(const QImage& image, qint64 streamTime) {
    image_ = image;
    frameTime_ = image.isNull() ? -1 : streamTime;
    update();
}

void MovieFrameView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (image_.isNull())
        return;
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                       fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

} // namespace skelvane
